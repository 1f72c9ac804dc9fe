# --check --state plans against a zlsim state file: the changes line says
# what each block changes, and --exit-code gives status 3 when any does.
# Applying the same entry again changes nothing, and is warned about.
== state
link zl2
  mode 0x00000101
  segment ce1 speed 100 duplex 2 state 0x00050111
  segment ce3 speed 100 duplex 2 state 0x00050111
  tl 02:00:00:0a:0b:0d ce1
== config
zl zl2 roundrobin
  seg ce1 standby ;
  seg ce2 trunk speed 100bt duplex full ;
  seg ce3 delete ;
  tl 02:00:00:0a:0b:0c ce2
  tl 02:00:00:0a:0b:0d ce2
end
zl zl2 tl 02:00:00:0a:0b:0c ce2 end
== args
--check
--state
driver.state
--exit-code
site.conf
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.
Checked without a driver: links read from the state file driver.state.

link zl2 (site.conf:1)
  read from the driver with ZLIOGLINK, ZLIOGSEG x2, ZLIOGTL
    Zelnar zl2   mode 0x00000101  DYMXOR|EXISTS
      Segment ce1 speed 100 duplex 2 state 0x00050111  100BT|FULLDUX|SAMEADDR|TRUNK|EXISTS
      Segment ce3 speed 100 duplex 2 state 0x00050111  100BT|FULLDUX|SAMEADDR|TRUNK|EXISTS
      Table Lookup addresses
        02:00:00:0a:0b:0d  Link ce1
  changes: mode dynamic \xe2\x86\x92 roundrobin+tablelookup; ce1 trunk \xe2\x86\x92 standby; + ce2 (trunk, 100bt full); \xe2\x88\x92 ce3; 02:00:00:0a:0b:0d ce1 \xe2\x86\x92 ce2; + 02:00:00:0a:0b:0c \xe2\x86\x92 ce2
  requests at its end, line 7:
     1  ZLIOSSEG   ce1    name=ce unit=1  flags=0x00050121 100BT|FULLDUX|SAMEADDR|STANDBY|EXISTS
     2  ZLIODSEG   ce3    name=ce unit=3  flags=0x00058111 100BT|FULLDUX|DELETE|SAMEADDR|TRUNK|EXISTS
     3  ZLIOSSEG   ce3    name=ce unit=3  flags=0x00000000
     4  ZLIOASEG   ce2    name=ce unit=2  flags=0x00051110 100BT|FULLDUX|NEW|SAMEADDR|TRUNK
     5  ZLIOSSEG   ce2    name=ce unit=2  flags=0x00050110 100BT|FULLDUX|SAMEADDR|TRUNK
     6  ZLIOSMODE  flags=0x00010011 TBLLOOKUP|ROUNDROBIN|EXISTS
     7  ZLIOATL    ce2    name=ce unit=2  eaddr=02:00:00:0a:0b:0c
     8  ZLIOATL    ce2    name=ce unit=2  eaddr=02:00:00:0a:0b:0d
     9  ZLIOELINK
  afterwards the driver holds zl2 with 2 segments, 2 table-lookup entries

link zl2 (site.conf:8)
  read: predicted from the blocks above, as zlconf would find it then (2 segments, 2 table-lookup entries)
  changes: no change
  requests at its end, line 8:
     3  ZLIOSMODE  flags=0x00010011 TBLLOOKUP|ROUNDROBIN|EXISTS
     4  ZLIOATL    ce2    name=ce unit=2  eaddr=02:00:00:0a:0b:0c
     5  ZLIOELINK
    and 2 ZLIOSSEGs that leave a segment as it is (--full lists every request)
  afterwards the driver holds zl2 with 2 segments, 2 table-lookup entries

zlconf would commit 2 link block(s) with 14 request(s) and exit with status 0, reporting any request the driver refuses (but the ZLIOSSEG that ends a removed segment).
== stderr
site.conf:8:29: note: the driver already holds 02:00:00:0a:0b:0c \xe2\x86\x92 ce2
== status
3
