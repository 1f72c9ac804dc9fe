# Names from the driver are escaped in the warnings too.
== state
link zl4
  name \\x1b]0;owned\\x07
  mode 0x00001120
  segment ce\\x1b[2J speed 100 duplex 2 state 0x00000110
== args
zl4
== stdout
^# Written by zlsave (zlconf 0.1.0). Each link is deleted, then built again as
^# the driver held it; applying this file with zlconf restores these links.

zl zl4 delete end
zl zl4
end
== stderr
zlsave: zl4: the driver names the link "\\x1b]0;owned\\x07"; a new link takes its device's name
zlsave: zl4: more than one distribution bit (0x00000120); not saved
zlsave: zl4: segment ce\\x1b[2J: not an interface name a file can give; segment not saved
== status
0
