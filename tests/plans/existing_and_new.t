# A link the driver has, changed, and a new one: the state read with its bits
# named, DUMPINFO where it stands, the requests in order, the state afterwards.
== state
link zlumi0
  mode 0x00000101
  segment ce0 speed 100 duplex 2 state 0x00050111
  segment ce1 speed 100 duplex 2 state 0x00050111
== config
zelnar zlumi0
  roundrobin
  segment ce1 standby end
  dumpinfo
end
zl zl1
  seg kce0 ;
  tl 02:00:00:0a:0b:0c kce0
end
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zlumi0 (site.conf:1)
  read from the driver with ZLIOGLINK, ZLIOGSEG x2
    Zelnar zlumi0   mode 0x00000101  DYMXOR|EXISTS
      Segment ce0 speed 100 duplex 2 state 0x00050111  100BT|FULLDUX|SAMEADDR|TRUNK|EXISTS
      Segment ce1 speed 100 duplex 2 state 0x00050111  100BT|FULLDUX|SAMEADDR|TRUNK|EXISTS
  dumpinfo at line 4 prints:
    Zelnar zlumi0   mode 0x00000011
      Segment ce0 speed 100 duplex 2 state 0x00050111
      Segment ce1 speed 100 duplex 2 state 0x00050121
  changes: mode dynamic \xe2\x86\x92 roundrobin; ce1 trunk \xe2\x86\x92 standby
  requests at its end, line 5:
     2  ZLIOSSEG   ce1    name=ce unit=1  flags=0x00050121 100BT|FULLDUX|SAMEADDR|STANDBY|EXISTS
     3  ZLIOSMODE  flags=0x00000011 ROUNDROBIN|EXISTS
     4  ZLIOELINK
    and 1 ZLIOSSEG that leaves a segment as it is (--full lists every request)
  afterwards the driver holds zlumi0 with 2 segments, 0 table-lookup entries

link zl1 (site.conf:6)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl1   mode 0x00001100  NEW|DYMXOR
  changes: + link zl1 (dynamic+tablelookup); + kce0 (trunk); + 02:00:00:0a:0b:0c \xe2\x86\x92 kce0
  requests at its end, line 9:
     1  ZLIOCLINK
     2  ZLIOASEG   kce0   name=kce unit=0  flags=0x00001110 NEW|SAMEADDR|TRUNK
     3  ZLIOSSEG   kce0   name=kce unit=0  flags=0x00000110 SAMEADDR|TRUNK
     4  ZLIOSMODE  flags=0x00011100 TBLLOOKUP|NEW|DYMXOR
     5  ZLIOATL    kce0   name=kce unit=0  eaddr=02:00:00:0a:0b:0c
     6  ZLIOELINK
  afterwards the driver holds zl1 with 1 segment, 1 table-lookup entry

zlconf would commit 2 link block(s) with 10 request(s) and exit with status 0, reporting any request the driver refuses (but the ZLIOSSEG that ends a removed segment).
== stderr
== status
0
