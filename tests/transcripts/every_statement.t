# Every statement, on two links the driver has and a new one; a link deleted
# and then configured again starts new. Bits the driver set that the tool
# does not know stay as they are.
== state
link zl2
  mode 0x00000121
  segment ce0 speed 100 duplex 2 state 0x00050111
  segment ce1 speed 100 duplex 2 state 0x00000121
  tl 02:00:00:0a:0b:0c ce0
link zl4
  mode 0x00000101
  segment zme10 speed 10 duplex 1 state 0x000a0111
link zl6
  mode 0x80000021
  segment ce3 speed 10 duplex 1 state 0x800a0121
  segment ce4 speed 100 duplex 2 state 0x40100111
== config
zl zl2
  di rr seg ce1 trunk diffaddr speed 10bt duplex half ; seg ce0 delete ;
  seg kce7 standby speed auto ; tl 00:1b:21:ff:00:01 kce7 di
end
zl zl4 xor delete seg zme10 add ; seg tcea ; end
zl zl5 so seg ce0 ; seg ce0 del ; end
zl zl4 dym fo di end
zl zl6 dym seg ce3 duplex full ; seg ce4 speed 100bt ; end
== log
open /dev/zl2 flags=0x2 -> ok
zl2 ZLIOGLINK -> ok
zl2 ZLIOGSEG cursor=0x5a1e00020000a001 -> ok
zl2 ZLIOGSEG cursor=0x5a1e00020000a002 -> ok
zl2 ZLIOGTL cursor=0x5a1e00020000b001 -> ok
zl2 ZLIODSEG name=ce unit=0 flags=0x00058111 -> ok
zl2 ZLIOSSEG name=ce unit=0 flags=0x00000000 -> ok
zl2 ZLIOSSEG name=ce unit=1 flags=0x000a0211 -> ok
zl2 ZLIOASEG name=kce unit=7 flags=0x00101120 -> ok
zl2 ZLIOSSEG name=kce unit=7 flags=0x00100120 -> ok
zl2 ZLIOSMODE flags=0x00010011 -> ok
zl2 ZLIOATL name=kce unit=7 eaddr=00:1b:21:ff:00:01 -> ok
zl2 ZLIOELINK -> ok
close zl2
open /dev/zl4 flags=0x2 -> ok
zl4 ZLIOGLINK -> ok
zl4 ZLIOGSEG cursor=0x5a1e00040000a001 -> ok
zl4 ZLIOSSEG name=zme1 unit=0 flags=0x000a0111 -> ok
zl4 ZLIOASEG name=tce unit=10 flags=0x00001110 -> ok
zl4 ZLIOSSEG name=tce unit=10 flags=0x00000110 -> ok
zl4 ZLIODLINK -> ok
close zl4
open /dev/zl5 flags=0x2 -> ok
zl5 ZLIOGLINK -> ENXIO
zl5 ZLIOCLINK -> ok
zl5 ZLIOASEG name=ce unit=0 flags=0x00009110 -> ok
zl5 ZLIOSSEG name=ce unit=0 flags=0x00008110 -> ok
zl5 ZLIOSMODE flags=0x00001080 -> ok
zl5 ZLIOELINK -> ok
close zl5
open /dev/zl4 flags=0x2 -> ok
zl4 ZLIOGLINK -> ENXIO
zl4 ZLIOCLINK -> ok
zl4 ZLIOSMODE flags=0x00001040 -> ok
zl4 ZLIOELINK -> ok
close zl4
open /dev/zl6 flags=0x2 -> ok
zl6 ZLIOGLINK -> ok
zl6 ZLIOGSEG cursor=0x5a1e00060000a001 -> ok
zl6 ZLIOGSEG cursor=0x5a1e00060000a002 -> ok
zl6 ZLIOSSEG name=ce unit=3 flags=0x80090121 -> ok
zl6 ZLIOSSEG name=ce unit=4 flags=0x40040111 -> ok
zl6 ZLIOSMODE flags=0x80000101 -> ok
zl6 ZLIOELINK -> ok
close zl6
== stdout
== stderr
Zelnar zl2   mode 0x00000121
  Segment ce0 speed 100 duplex 2 state 0x00050111
  Segment ce1 speed 100 duplex 2 state 0x00000121
Table Lookup addresses
  02:00:00:0a:0b:0c\tLink ce0
Zelnar zl2   mode 0x00010011
  Segment ce0 speed 100 duplex 2 state 0x00058111
  Segment ce1 speed 100 duplex 2 state 0x000a0211
  Segment kce7 speed -1 duplex -1 state 0x00101120
Table Lookup addresses
  02:00:00:0a:0b:0c\tLink ce0
  00:1b:21:ff:00:01\tLink kce7
Zelnar zl4   mode 0x00001040
== status
0
== state after
link zl2
  mode 0x00010011
  segment ce1 speed 10 duplex 1 state 0x000a0211
  segment kce7 speed 100 duplex 2 state 0x00100120
  tl 02:00:00:0a:0b:0c ce0
  tl 00:1b:21:ff:00:01 kce7

link zl4
  mode 0x00001040

link zl5
  mode 0x00001080
  segment ce0 speed 100 duplex 2 state 0x00008110

link zl6
  mode 0x80000101
  segment ce3 speed 10 duplex 2 state 0x80090121
  segment ce4 speed 100 duplex 2 state 0x40040111
