# Each refused request other than the creation is reported on a line of its
# own, naming the interface or, for an entry, the address; the commit goes on
# as if the request had succeeded, and the exit status stays 0.
== fail
ZLIOASEG:*:EPERM,ZLIOSMODE:1:EIO,ZLIOATL:1:EINVAL
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
zl0 ZLIOATL name=ce unit=1 eaddr=02:00:00:00:00:01 -> EINVAL
zl0 ZLIOELINK -> ok
close zl0
== stdout
== stderr
zlconf: zl0: ZLIOASEG ce0 refused: Operation not permitted
zlconf: zl0: ZLIOSSEG ce0 refused: No such file or directory
zlconf: zl0: ZLIOASEG ce1 refused: Operation not permitted
zlconf: zl0: ZLIOSSEG ce1 refused: No such file or directory
zlconf: zl0: ZLIOSMODE refused: Input/output error
zlconf: zl0: ZLIOATL 02:00:00:00:00:01 refused: Invalid argument
== status
0
