# A syntax error after a committed block: that block stays committed; the
# block in progress is read and changed in memory but never committed, and the
# rest of the file is read without effect, its stray characters still echoed.
== config
zl zl0 seg ce0 ; end
zl zl1
  rr
  seg ce1 standby
  duplex fast
end
zl zl2 end
GARBAGE
== log
open /dev/zl0 flags=0x2 -> ok
zl0 ZLIOGLINK -> ENXIO
zl0 ZLIOCLINK -> ok
zl0 ZLIOASEG name=ce unit=0 flags=0x00001110 -> ok
zl0 ZLIOSSEG name=ce unit=0 flags=0x00000110 -> ok
zl0 ZLIOSMODE flags=0x00001100 -> ok
zl0 ZLIOELINK -> ok
close zl0
open /dev/zl1 flags=0x2 -> ok
zl1 ZLIOGLINK -> ENXIO
== stdout
stGARBAGE\
== stderr
*** \t Syntax error line 5
== status
1
== state after
link zl0
  mode 0x00001100
  segment ce0 speed 100 duplex 2 state 0x00000110
