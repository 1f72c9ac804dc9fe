# A link named on the command line must be there.
== state
link zl2
  mode 0x00000120
  segment ce0 speed 10 duplex 1 state 0x000a0110
  tl 02:00:00:0a:0b:0c ce0
== fail
open:zl4:ENOENT
== args
zl4
== stdout
== stderr
zlsave: open /dev/zl4: No such file or directory
== status
1
