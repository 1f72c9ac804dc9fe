# Characters that form no token go to standard output unchanged, and do not
# break the statements around them; a run of 2048 blanks ends the run with the
# limit message there, status 1, the block in progress uncommitted.
== config
zl zl0 END Seg seg ce0 end end
\x01\xff\r
zl zl1                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                end
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
ENDSeg\x01\xff\rInput string too long, limit 2048
== stderr
== status
1
