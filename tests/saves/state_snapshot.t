# --state: what the driver holds, every bit and name as it is, as a state
# file that zlplan --check --state and zlsim read back; what no statement can
# set is kept, so nothing is warned of. A link the driver lacks is left out.
== state
link zl2
  name bond0
  mode 0x40000131
  segment ce0 speed 10 duplex 1 state 0x800a0301
  segment eth0 state 0x00000111
  tl 02:00:00:0a:0b:0c ce0
== args
--state
zl5
zl2
== stdout
link zl2
  name bond0
  mode 0x40000130
  segment ce0 speed 10 duplex 1 state 0x800a0300
  segment eth0 speed 100 duplex 2 state 0x00000110
  tl 02:00:00:0a:0b:0c ce0
== stderr
== status
0
