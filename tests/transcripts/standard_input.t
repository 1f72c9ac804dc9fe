# "-" reads the configuration from standard input.
== args
-
== stdin
zl zl3 seg ce1 trunk ; end
== log
open /dev/zl3 flags=0x2 -> ok
zl3 ZLIOGLINK -> ENXIO
zl3 ZLIOCLINK -> ok
zl3 ZLIOASEG name=ce unit=1 flags=0x00001110 -> ok
zl3 ZLIOSSEG name=ce unit=1 flags=0x00000110 -> ok
zl3 ZLIOSMODE flags=0x00001100 -> ok
zl3 ZLIOELINK -> ok
close zl3
== stdout
== stderr
== status
0
