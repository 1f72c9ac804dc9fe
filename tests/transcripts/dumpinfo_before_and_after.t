# DUMPINFO shows the description as it stands at its place in the block.
== config
zl zl7
  di
  xor
  seg ce0 diffaddr speed auto duplex half ;
  tl 0a:0b:0c:0d:0e:0f ce0
  di
  rr
  di
end
== log
open /dev/zl7 flags=0x2 -> ok
zl7 ZLIOGLINK -> ENXIO
zl7 ZLIOCLINK -> ok
zl7 ZLIOASEG name=ce unit=0 flags=0x00121210 -> ok
zl7 ZLIOSSEG name=ce unit=0 flags=0x00120210 -> ok
zl7 ZLIOSMODE flags=0x00011010 -> ok
zl7 ZLIOATL name=ce unit=0 eaddr=0a:0b:0c:0d:0e:0f -> ok
zl7 ZLIOELINK -> ok
close zl7
== stdout
== stderr
Zelnar zl7   mode 0x00001100
Zelnar zl7   mode 0x00011020
  Segment ce0 speed -1 duplex -1 state 0x00121210
Table Lookup addresses
  0a:0b:0c:0d:0e:0f\tLink ce0
Zelnar zl7   mode 0x00011010
  Segment ce0 speed -1 duplex -1 state 0x00121210
Table Lookup addresses
  0a:0b:0c:0d:0e:0f\tLink ce0
== status
0
