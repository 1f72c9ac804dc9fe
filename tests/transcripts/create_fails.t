# The driver refuses to create the link: one report, no other request for it,
# the device is closed, and the next block is carried out as usual.
== fail
ZLIOCLINK:1:EBUSY
== config
zl zl0 seg ce0 ; end
zl zl1 seg ce1 ; end
== log
open /dev/zl0 flags=0x2 -> ok
zl0 ZLIOGLINK -> ENXIO
zl0 ZLIOCLINK -> EBUSY
close zl0
open /dev/zl1 flags=0x2 -> ok
zl1 ZLIOGLINK -> ENXIO
zl1 ZLIOCLINK -> ok
zl1 ZLIOASEG name=ce unit=1 flags=0x00001110 -> ok
zl1 ZLIOSSEG name=ce unit=1 flags=0x00000110 -> ok
zl1 ZLIOSMODE flags=0x00001100 -> ok
zl1 ZLIOELINK -> ok
close zl1
== stdout
== stderr
Zelnar create failed : Device or resource busy
== status
0
== state after
link zl1
  mode 0x00001100
  segment ce1 speed 100 duplex 2 state 0x00000110
