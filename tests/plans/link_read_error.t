# ZLIOGLINK fails with an error other than "no such link": zlconf takes the
# link for a new one, and the plan says what failed.
== fail
ZLIOGLINK:1:EACCES
== config
zl zl4 seg ce0 ; end
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl4 (site.conf:1)
  read: ZLIOGLINK failed: Permission denied; zlconf takes that as no such link, so it starts new and is created at its end
    Zelnar zl4   mode 0x00001100  NEW|DYMXOR
  changes: + link zl4 (dynamic); + ce0 (trunk)
  requests at its end, line 1:
     1  ZLIOCLINK
     2  ZLIOASEG   ce0    name=ce unit=0  flags=0x00001110 NEW|SAMEADDR|TRUNK
     3  ZLIOSSEG   ce0    name=ce unit=0  flags=0x00000110 SAMEADDR|TRUNK
     4  ZLIOSMODE  flags=0x00001100 NEW|DYMXOR
     5  ZLIOELINK
  afterwards the driver holds zl4 with 1 segment, 0 table-lookup entries

zlconf would commit 1 link block(s) with 5 request(s) and exit with status 0, reporting any request the driver refuses (but the ZLIOSSEG that ends a removed segment).
== stderr
site.conf:1:4: warning: ZLIOGLINK failed: Permission denied; zlconf takes that as no such link and creates zl4 at its end
== status
0
