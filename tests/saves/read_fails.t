# A link whose table-lookup entries cannot be read: nothing is printed, status 1.
== state
link zl2
  mode 0x00000120
  segment ce0 speed 10 duplex 1 state 0x000a0110
  tl 02:00:00:0a:0b:0c ce0
== fail
ZLIOGTL:1:EIO
== args
== stdout
== stderr
zlsave: zl2: zlconf ZLIOGTL : Input/output error
== status
1
