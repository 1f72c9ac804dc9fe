# A link the driver has, with segments and entries: read in the driver's order, with
# its figures and its record name; committed unchanged, no entry is sent again.
== state
link zl2
  name bond0
  mode 0x40000121
  segment zce3 speed 100 duplex 2 state 0x00050111
  segment ce0 speed 10 duplex 1 state 0x000a0121
  segment kcea speed 100 duplex 2 state 0x00100311
  tl 02:00:00:0a:0b:0c ce0
  tl 00:1b:21:ff:00:01 zce3
== config
zl zl2 di end
== log
open /dev/zl2 flags=0x2 -> ok
zl2 ZLIOGLINK -> ok
zl2 ZLIOGSEG cursor=0x5a1e00020000a001 -> ok
zl2 ZLIOGSEG cursor=0x5a1e00020000a002 -> ok
zl2 ZLIOGSEG cursor=0x5a1e00020000a003 -> ok
zl2 ZLIOGTL cursor=0x5a1e00020000b001 -> ok
zl2 ZLIOGTL cursor=0x5a1e00020000b002 -> ok
zl2 ZLIOSSEG name=zce unit=3 flags=0x00050111 -> ok
zl2 ZLIOSSEG name=ce unit=0 flags=0x000a0121 -> ok
zl2 ZLIOSSEG name=kce unit=10 flags=0x00100311 -> ok
zl2 ZLIOSMODE flags=0x40000121 -> ok
zl2 ZLIOELINK -> ok
close zl2
== stdout
== stderr
Zelnar bond0   mode 0x40000121
  Segment zce3 speed 100 duplex 2 state 0x00050111
  Segment ce0 speed 10 duplex 1 state 0x000a0121
  Segment kcea speed 100 duplex 2 state 0x00100311
Table Lookup addresses
  02:00:00:0a:0b:0c\tLink ce0
  00:1b:21:ff:00:01\tLink zce3
== status
0
