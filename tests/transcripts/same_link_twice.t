# Two blocks for one link: the second reads what the first committed.
== config
zl zl6
  fo
  seg ce0 standby ;
  tl 02:00:00:0a:0b:0c ce0
end
zl zl6
  di
  seg ce1 ;
end
== log
open /dev/zl6 flags=0x2 -> ok
zl6 ZLIOGLINK -> ENXIO
zl6 ZLIOCLINK -> ok
zl6 ZLIOASEG name=ce unit=0 flags=0x00001120 -> ok
zl6 ZLIOSSEG name=ce unit=0 flags=0x00000120 -> ok
zl6 ZLIOSMODE flags=0x00011040 -> ok
zl6 ZLIOATL name=ce unit=0 eaddr=02:00:00:0a:0b:0c -> ok
zl6 ZLIOELINK -> ok
close zl6
open /dev/zl6 flags=0x2 -> ok
zl6 ZLIOGLINK -> ok
zl6 ZLIOGSEG cursor=0x5a1e00060000a001 -> ok
zl6 ZLIOGTL cursor=0x5a1e00060000b001 -> ok
zl6 ZLIOSSEG name=ce unit=0 flags=0x00000121 -> ok
zl6 ZLIOASEG name=ce unit=1 flags=0x00001110 -> ok
zl6 ZLIOSSEG name=ce unit=1 flags=0x00000110 -> ok
zl6 ZLIOSMODE flags=0x00011041 -> ok
zl6 ZLIOELINK -> ok
close zl6
== stdout
== stderr
Zelnar zl6   mode 0x00011041
  Segment ce0 speed 100 duplex 2 state 0x00000121
Table Lookup addresses
  02:00:00:0a:0b:0c\tLink ce0
== status
0
== state after
link zl6
  mode 0x00011041
  segment ce0 speed 100 duplex 2 state 0x00000121
  segment ce1 speed 100 duplex 2 state 0x00000110
  tl 02:00:00:0a:0b:0c ce0
