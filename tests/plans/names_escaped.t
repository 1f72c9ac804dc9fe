# Names from the driver are shown with their unprintable bytes escaped.
== state
link zl2
  mode 0x00000120
  segment ce\\x1b[2J speed 100 duplex 2 state 0x00000110
  tl 02:00:00:0a:0b:0c ce\\x0a
== config
zl zl2 di end
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl2 (site.conf:1)
  read from the driver with ZLIOGLINK, ZLIOGSEG, ZLIOGTL
    Zelnar zl2   mode 0x00000121  DYMXOR|DSTROUTE|EXISTS
      Segment ce\\x1b[2J speed 100 duplex 2 state 0x00000111  SAMEADDR|TRUNK|EXISTS
      Table Lookup addresses
        02:00:00:0a:0b:0c  Link ce\\x0a
  dumpinfo at line 1 prints:
    Zelnar zl2   mode 0x00000121
      Segment ce\\x1b[2J speed 100 duplex 2 state 0x00000111
    Table Lookup addresses
      02:00:00:0a:0b:0c\tLink ce\\x0a
  changes: no change
  requests at its end, line 1:
     1  ZLIOSSEG   ce\\x1b[20 name=ce\\x1b[2 unit=0  flags=0x00000111 SAMEADDR|TRUNK|EXISTS
     2  ZLIOSMODE  flags=0x00000121 DYMXOR|DSTROUTE|EXISTS
     3  ZLIOELINK
  afterwards the driver holds zl2 with 1 segment, 1 table-lookup entry

zlconf would commit 1 link block(s) with 3 request(s) and exit with status 0, reporting any request the driver refuses (but the ZLIOSSEG that ends a removed segment).
== stderr
== status
0
