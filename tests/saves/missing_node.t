# A device node missing, when every link is saved, means no such link.
== state
link zl2
  mode 0x00000120
  segment ce0 speed 10 duplex 1 state 0x000a0110
  tl 02:00:00:0a:0b:0c ce0
== fail
open:zl4:ENOENT
== args
== stdout
^# Written by zlsave (zlconf 0.1.0). Each link is deleted, then built again as
^# the driver held it; applying this file with zlconf restores these links.

zl zl2 delete end
zl zl2
  seg ce0 trunk sameaddr speed 10bt duplex half end
  tl 02:00:00:0a:0b:0c ce0
end

^# Links the driver did not have: restoring removes any made since.
zl zl0 delete end
zl zl1 delete end
zl zl3 delete end
zl zl5 delete end
zl zl6 delete end
zl zl7 delete end
zl zl8 delete end
zl zlumi0 delete end
zl zlumi1 delete end
zl zlumi2 delete end
zl zlumi3 delete end
zl zlumi4 delete end
zl zlumi5 delete end
zl zlumi6 delete end
zl zlumi7 delete end
zl zlumi8 delete end
== stderr
zlsave: zl2: more than one distribution bit (0x00000120); not saved
zlsave: zl2: mode lacks NEW, which every new link has; not saved
zlsave: zl2: table-lookup entries without TBLLOOKUP in the mode; not saved
== status
0
