# Link delete on a link with two segments: each is removed and then set to 0,
# then the link is removed; neither the mode nor the entries are sent.
== state
link zl4
  mode 0x00000111
  segment ce1 speed 100 duplex 2 state 0x00000111
  segment ce2 speed 100 duplex 2 state 0x00000121
  tl 02:00:00:00:00:01 ce1
== config
link zl4
  delete
  tl 02:00:00:00:00:02 ce2
end
== log
open /dev/zl4 flags=0x2 -> ok
zl4 ZLIOGLINK -> ok
zl4 ZLIOGSEG cursor=0x5a1e00040000a001 -> ok
zl4 ZLIOGSEG cursor=0x5a1e00040000a002 -> ok
zl4 ZLIOGTL cursor=0x5a1e00040000b001 -> ok
zl4 ZLIODSEG name=ce unit=1 flags=0x00008111 -> ok
zl4 ZLIOSSEG name=ce unit=1 flags=0x00000000 -> ok
zl4 ZLIODSEG name=ce unit=2 flags=0x00008121 -> ok
zl4 ZLIOSSEG name=ce unit=2 flags=0x00000000 -> ok
zl4 ZLIODLINK -> ok
close zl4
== stdout
== stderr
== status
0
== state after
