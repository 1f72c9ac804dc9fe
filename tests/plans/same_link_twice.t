# A link that an earlier block commits is read as that block leaves it.
== config
zl zl6 fo seg ce0 standby ; end
zl zl6 seg ce0 delete ; end
zl zl6 delete end
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl6 (site.conf:1)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl6   mode 0x00001100  NEW|DYMXOR
  changes: + link zl6 (fallover); + ce0 (standby)
  requests at its end, line 1:
     1  ZLIOCLINK
     2  ZLIOASEG   ce0    name=ce unit=0  flags=0x00001120 NEW|SAMEADDR|STANDBY
     3  ZLIOSSEG   ce0    name=ce unit=0  flags=0x00000120 SAMEADDR|STANDBY
     4  ZLIOSMODE  flags=0x00001040 NEW|FALLOVER
     5  ZLIOELINK
  afterwards the driver holds zl6 with 1 segment, 0 table-lookup entries

link zl6 (site.conf:2)
  read: predicted from the blocks above, as zlconf would find it then (1 segment, 0 table-lookup entries)
  changes: \xe2\x88\x92 ce0
  requests at its end, line 2:
     1  ZLIODSEG   ce0    name=ce unit=0  flags=0x00008121 DELETE|SAMEADDR|STANDBY|EXISTS
     2  ZLIOSSEG   ce0    name=ce unit=0  flags=0x00000000
     3  ZLIOSMODE  flags=0x00001041 NEW|FALLOVER|EXISTS
     4  ZLIOELINK
  afterwards the driver holds zl6 with 0 segments, 0 table-lookup entries

link zl6 (site.conf:3)
  read: predicted from the blocks above, as zlconf would find it then (0 segments, 0 table-lookup entries)
  changes: \xe2\x88\x92 link zl6
  requests at its end, line 3:
     1  ZLIODLINK
  afterwards the driver no longer has zl6

zlconf would commit 3 link block(s) with 10 request(s) and exit with status 0, reporting any request the driver refuses (but the ZLIOSSEG that ends a removed segment).
== stderr
== status
0
