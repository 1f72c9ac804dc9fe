# The plan for every statement on two links the driver has and a new one: a
# link deleted and then configured again is read as the block before left it.
== state
link zl2
  mode 0x00000121
  segment ce0 speed 100 duplex 2 state 0x00050111
  segment ce1 speed 100 duplex 2 state 0x00000121
  tl 02:00:00:0a:0b:0c ce0
link zl4
  mode 0x00000101
  segment zme10 speed 10 duplex 1 state 0x000a0111
== config
zl zl2
  di rr seg ce1 trunk diffaddr speed 10bt duplex half ; seg ce0 delete ;
  seg kce7 standby speed auto ; tl 00:1b:21:ff:00:01 kce7 di
end
zl zl4 xor delete seg zme10 add ; seg tcea ; end
zl zl5 so seg ce0 ; seg ce0 del ; end
zl zl4 dym fo di end
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl2 (site.conf:1)
  read from the driver with ZLIOGLINK, ZLIOGSEG x2, ZLIOGTL
    Zelnar zl2   mode 0x00000121  DYMXOR|DSTROUTE|EXISTS
      Segment ce0 speed 100 duplex 2 state 0x00050111  100BT|FULLDUX|SAMEADDR|TRUNK|EXISTS
      Segment ce1 speed 100 duplex 2 state 0x00000121  SAMEADDR|STANDBY|EXISTS
      Table Lookup addresses
        02:00:00:0a:0b:0c  Link ce0
  dumpinfo at line 2 prints:
    Zelnar zl2   mode 0x00000121
      Segment ce0 speed 100 duplex 2 state 0x00050111
      Segment ce1 speed 100 duplex 2 state 0x00000121
    Table Lookup addresses
      02:00:00:0a:0b:0c\tLink ce0
  dumpinfo at line 3 prints:
    Zelnar zl2   mode 0x00010011
      Segment ce0 speed 100 duplex 2 state 0x00058111
      Segment ce1 speed 100 duplex 2 state 0x000a0211
      Segment kce7 speed -1 duplex -1 state 0x00101120
    Table Lookup addresses
      02:00:00:0a:0b:0c\tLink ce0
      00:1b:21:ff:00:01\tLink kce7
  changes: mode dynamic+dstroute \xe2\x86\x92 roundrobin+tablelookup; ce1 standby \xe2\x86\x92 trunk, 10bt, half, sameaddr \xe2\x86\x92 diffaddr; + kce7 (standby, auto); \xe2\x88\x92 ce0; + 00:1b:21:ff:00:01 \xe2\x86\x92 kce7
  requests at its end, line 4:
     1  ZLIODSEG   ce0    name=ce unit=0  flags=0x00058111 100BT|FULLDUX|DELETE|SAMEADDR|TRUNK|EXISTS
     2  ZLIOSSEG   ce0    name=ce unit=0  flags=0x00000000
     3  ZLIOSSEG   ce1    name=ce unit=1  flags=0x000a0211 10BT|HALFDUX|DIFFADDR|TRUNK|EXISTS
     4  ZLIOASEG   kce7   name=kce unit=7  flags=0x00101120 AUTO|NEW|SAMEADDR|STANDBY
     5  ZLIOSSEG   kce7   name=kce unit=7  flags=0x00100120 AUTO|SAMEADDR|STANDBY
     6  ZLIOSMODE  flags=0x00010011 TBLLOOKUP|ROUNDROBIN|EXISTS
     7  ZLIOATL    kce7   name=kce unit=7  eaddr=00:1b:21:ff:00:01
     8  ZLIOELINK
  afterwards the driver holds zl2 with 2 segments, 2 table-lookup entries

link zl4 (site.conf:5)
  read from the driver with ZLIOGLINK, ZLIOGSEG
    Zelnar zl4   mode 0x00000101  DYMXOR|EXISTS
      Segment zme10 speed 10 duplex 1 state 0x000a0111  10BT|HALFDUX|SAMEADDR|TRUNK|EXISTS
  changes: \xe2\x88\x92 link zl4
  requests at its end, line 5:
     2  ZLIOASEG   tcea   name=tce unit=10  flags=0x00001110 NEW|SAMEADDR|TRUNK
     3  ZLIOSSEG   tcea   name=tce unit=10  flags=0x00000110 SAMEADDR|TRUNK
     4  ZLIODLINK
    and 1 ZLIOSSEG that leaves a segment as it is (--full lists every request)
  afterwards the driver no longer has zl4

link zl5 (site.conf:6)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl5   mode 0x00001100  NEW|DYMXOR
  changes: + link zl5 (spillover); + ce0 (trunk)
  requests at its end, line 6:
     1  ZLIOCLINK
     2  ZLIOASEG   ce0    name=ce unit=0  flags=0x00009110 DELETE|NEW|SAMEADDR|TRUNK
     3  ZLIOSSEG   ce0    name=ce unit=0  flags=0x00008110 DELETE|SAMEADDR|TRUNK
     4  ZLIOSMODE  flags=0x00001080 NEW|SPILLOVER
     5  ZLIOELINK
  afterwards the driver holds zl5 with 1 segment, 0 table-lookup entries

link zl4 (site.conf:7)
  read: predicted from the blocks above, as zlconf would find it then (0 segments, 0 table-lookup entries)
  dumpinfo at line 7 prints:
    Zelnar zl4   mode 0x00001040
  changes: + link zl4 (fallover)
  requests at its end, line 7:
     1  ZLIOCLINK
     2  ZLIOSMODE  flags=0x00001040 NEW|FALLOVER
     3  ZLIOELINK
  afterwards the driver holds zl4 with 0 segments, 0 table-lookup entries

zlconf would commit 4 link block(s) with 20 request(s) and exit with status 0, reporting any request the driver refuses (but the ZLIOSSEG that ends a removed segment).
== stderr
== status
0
