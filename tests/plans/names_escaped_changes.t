# Names from the driver are escaped in the changes line and in the requests,
# where a long one keeps the unit that follows it.
== state
link zl2
  name \\x1b]0;owned\\x07
  mode 0x00000120
  segment \\x1b\\x1b\\x1b\\x1b\\x1b\\x1b\\x1b0 speed 100 duplex 2 state 0x00000110
link zl3
  name zl3\\x0d\\x1b[1A
  mode 0x00000120
== config
zl zl2 rr end
zl zl3 delete end
== args
--full
site.conf
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl2 (site.conf:1)
  read from the driver with ZLIOGLINK, ZLIOGSEG
    Zelnar \\x1b]0;owned\\x07   mode 0x00000121  DYMXOR|DSTROUTE|EXISTS
      Segment \\x1b\\x1b\\x1b\\x1b\\x1b\\x1b\\x1b0 speed 100 duplex 2 state 0x00000111  SAMEADDR|TRUNK|EXISTS
  changes: mode dynamic+dstroute \xe2\x86\x92 roundrobin
  requests at its end, line 1:
     1  ZLIOSSEG   \\x1b\\x1b\\x1b\\x1b\\x1b\\x1b\\x1b0 name=\\x1b\\x1b\\x1b\\x1b\\x1b\\x1b\\x1b unit=0  flags=0x00000111 SAMEADDR|TRUNK|EXISTS
     2  ZLIOSMODE  flags=0x00000011 ROUNDROBIN|EXISTS
     3  ZLIOELINK
  afterwards the driver holds:
    Zelnar \\x1b]0;owned\\x07   mode 0x00000011  ROUNDROBIN|EXISTS
      Segment \\x1b\\x1b\\x1b\\x1b\\x1b\\x1b\\x1b0 state 0x00000111  SAMEADDR|TRUNK|EXISTS

link zl3 (site.conf:2)
  read from the driver with ZLIOGLINK
    Zelnar zl3\\x0d\\x1b[1A   mode 0x00000121  DYMXOR|DSTROUTE|EXISTS
  changes: \xe2\x88\x92 link zl3\\x0d\\x1b[1A
  requests at its end, line 2:
     1  ZLIODLINK
  afterwards the driver no longer has zl3

zlconf would commit 2 link block(s) with 4 request(s) and exit with status 0, reporting any request the driver refuses (but the ZLIOSSEG that ends a removed segment).
== stderr
== status
0
