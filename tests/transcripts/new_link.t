# A link the driver does not have: created, with two segments from the file.
== state
== config
zl zl0
  seg ce0 end
  seg ce1 end
  dumpinfo
end
== log
open /dev/zl0 flags=0x2 -> ok
zl0 ZLIOGLINK -> ENXIO
zl0 ZLIOCLINK -> ok
zl0 ZLIOASEG name=ce unit=0 flags=0x00001110 -> ok
zl0 ZLIOSSEG name=ce unit=0 flags=0x00000110 -> ok
zl0 ZLIOASEG name=ce unit=1 flags=0x00001110 -> ok
zl0 ZLIOSSEG name=ce unit=1 flags=0x00000110 -> ok
zl0 ZLIOSMODE flags=0x00001100 -> ok
zl0 ZLIOELINK -> ok
close zl0
== stdout
== stderr
Zelnar zl0   mode 0x00001100
  Segment ce0 speed -1 duplex -1 state 0x00001110
  Segment ce1 speed -1 duplex -1 state 0x00001110
== status
0
