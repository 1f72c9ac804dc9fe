# A link that the blocks above commit: its plan lists what the block changes,
# and counts the ZLIOSSEGs that leave a segment as it is.
== config
zl zl6 seg ce0 ; seg ce1 ; end
zl zl6 seg ce1 standby ; seg ce2 ; end
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl6 (site.conf:1)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl6   mode 0x00001100  NEW|DYMXOR
  changes: + link zl6 (dynamic); + ce0 (trunk); + ce1 (trunk)
  requests at its end, line 1:
     1  ZLIOCLINK
     2  ZLIOASEG   ce0    name=ce unit=0  flags=0x00001110 NEW|SAMEADDR|TRUNK
     3  ZLIOSSEG   ce0    name=ce unit=0  flags=0x00000110 SAMEADDR|TRUNK
     4  ZLIOASEG   ce1    name=ce unit=1  flags=0x00001110 NEW|SAMEADDR|TRUNK
     5  ZLIOSSEG   ce1    name=ce unit=1  flags=0x00000110 SAMEADDR|TRUNK
     6  ZLIOSMODE  flags=0x00001100 NEW|DYMXOR
     7  ZLIOELINK
  afterwards the driver holds zl6 with 2 segments, 0 table-lookup entries

link zl6 (site.conf:2)
  read: predicted from the blocks above, as zlconf would find it then (2 segments, 0 table-lookup entries)
  changes: ce1 trunk \xe2\x86\x92 standby; + ce2 (trunk)
  requests at its end, line 2:
     2  ZLIOSSEG   ce1    name=ce unit=1  flags=0x00000121 SAMEADDR|STANDBY|EXISTS
     3  ZLIOASEG   ce2    name=ce unit=2  flags=0x00001110 NEW|SAMEADDR|TRUNK
     4  ZLIOSSEG   ce2    name=ce unit=2  flags=0x00000110 SAMEADDR|TRUNK
     5  ZLIOSMODE  flags=0x00001101 NEW|DYMXOR|EXISTS
     6  ZLIOELINK
    and 1 ZLIOSSEG that leaves a segment as it is (--full lists every request)
  afterwards the driver holds zl6 with 3 segments, 0 table-lookup entries

zlconf would commit 2 link block(s) with 13 request(s) and exit with status 0, reporting any request the driver refuses (but the ZLIOSSEG that ends a removed segment).
== stderr
== status
0
