# What no statement makes is warned of and left out: a driver-given name, a
# mode or segment state no file can give, names no file can write. A link
# named twice is saved once; one the driver lacks is deleted on restoring.
== state
link zl2
  name bond0
  mode 0x40000131
  segment ce0 speed 10 duplex 1 state 0x800a0301
  segment eth0 state 0x00000111
  tl 02:00:00:0a:0b:0c ce0
  tl 02:00:00:0a:0b:0d eth0
== args
zl2
zl5
zl2
== stdout
^# Written by zlsave (zlconf 0.1.0). Each link is deleted, then built again as
^# the driver held it; applying this file with zlconf restores these links.

zl zl2 delete end
zl zl2
  seg ce0 speed 10bt duplex half end
  tl 02:00:00:0a:0b:0c ce0
end

^# Links the driver did not have: restoring removes any made since.
zl zl5 delete end
== stderr
zlsave: zl2: the driver names the link "bond0"; a new link takes its device's name
zlsave: zl2: more than one distribution bit (0x00000130); not saved
zlsave: zl2: mode lacks NEW, which every new link has; not saved
zlsave: zl2: table-lookup entries without TBLLOOKUP in the mode; not saved
zlsave: zl2: mode bits no statement sets: 0x40000000 (0x40000000); not saved
zlsave: zl2: segment ce0: no role bit (0x00000000); not saved
zlsave: zl2: segment ce0: more than one address bit (0x00000300); not saved
zlsave: zl2: segment ce0: state bits no statement sets: 0x80000000 (0x80000000); not saved
zlsave: zl2: segment eth0: not an interface name a file can give; segment not saved
zlsave: zl2: table lookup 02:00:00:0a:0b:0d: not an interface name a file can give; entry not saved
== status
0
