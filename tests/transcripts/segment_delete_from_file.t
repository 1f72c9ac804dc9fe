# A segment that the file both names and deletes: the driver never had it, so
# it is added and set with its delete mark still in the state; a driver segment
# marked delete and then added back is only set.
== state
link zl0
  mode 0x00000101
  segment ce1 speed 100 duplex 2 state 0x00000111
== config
zl zl0
  seg ce5 delete end
  seg ce1 delete add end
end
== log
open /dev/zl0 flags=0x2 -> ok
zl0 ZLIOGLINK -> ok
zl0 ZLIOGSEG cursor=0x5a1e00000000a001 -> ok
zl0 ZLIOSSEG name=ce unit=1 flags=0x00000111 -> ok
zl0 ZLIOASEG name=ce unit=5 flags=0x00009110 -> ok
zl0 ZLIOSSEG name=ce unit=5 flags=0x00008110 -> ok
zl0 ZLIOSMODE flags=0x00000101 -> ok
zl0 ZLIOELINK -> ok
close zl0
== stdout
== stderr
== status
0
