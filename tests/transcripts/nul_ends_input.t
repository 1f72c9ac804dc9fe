# A NUL byte ends the input as its end does: what follows it is never read, so
# the block after it is not carried out, and the run ends with status 0.
== config
zl zl0 end\x00zl zl1 end
== log
open /dev/zl0 flags=0x2 -> ok
zl0 ZLIOGLINK -> ENXIO
zl0 ZLIOCLINK -> ok
zl0 ZLIOSMODE flags=0x00001100 -> ok
zl0 ZLIOELINK -> ok
close zl0
== stdout
== stderr
== status
0
