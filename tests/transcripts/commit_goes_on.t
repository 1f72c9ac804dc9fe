# Refused requests other than the creation are not reported, and the commit
# goes on as if they had succeeded; the exit status stays 0.
== fail
ZLIOASEG:*:EPERM,ZLIOSMODE:1:EIO
== config
zl zl0 seg ce0 ; seg ce1 ; tl 02:00:00:00:00:01 ce1 end
== log
open /dev/zl0 flags=0x2 -> ok
zl0 ZLIOGLINK -> ENXIO
zl0 ZLIOCLINK -> ok
zl0 ZLIOASEG name=ce unit=0 flags=0x00001110 -> EPERM
zl0 ZLIOSSEG name=ce unit=0 flags=0x00000110 -> ENOENT
zl0 ZLIOASEG name=ce unit=1 flags=0x00001110 -> EPERM
zl0 ZLIOSSEG name=ce unit=1 flags=0x00000110 -> ENOENT
zl0 ZLIOSMODE flags=0x00011100 -> EIO
zl0 ZLIOATL name=ce unit=1 eaddr=02:00:00:00:00:01 -> ok
zl0 ZLIOELINK -> ok
close zl0
== stdout
== stderr
== status
0
