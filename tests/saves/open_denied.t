# A link device that cannot be opened: nothing is printed, status 1.
== state
link zl2
  mode 0x00000120
  segment ce0 speed 10 duplex 1 state 0x000a0110
  tl 02:00:00:0a:0b:0c ce0
== fail
open:zl4:EACCES
== args
== stdout
== stderr
zlsave: open /dev/zl4: Permission denied
== status
1
