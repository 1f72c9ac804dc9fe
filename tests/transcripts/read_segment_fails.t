# A segment cannot be read: the run ends with status 1, nothing is committed,
# and the rest of the file is not read.
== state
link zl0
  mode 0x00000101
  segment ce0 speed 100 duplex 2 state 0x00000111
  segment ce1 speed 100 duplex 2 state 0x00000111
== fail
ZLIOGSEG:2:EIO
== config
zl zl0 rr end
zl zl1 end
== log
open /dev/zl0 flags=0x2 -> ok
zl0 ZLIOGLINK -> ok
zl0 ZLIOGSEG cursor=0x5a1e00000000a001 -> ok
zl0 ZLIOGSEG cursor=0x5a1e00000000a002 -> EIO
== stdout
== stderr
zlconf ZLIOGSEG : Input/output error
== status
1
