# Every interface family, and the unit that the last character of a name gives:
# a digit its value, a to f 10 to 15, for the hexadecimal units.
== config
zl zlumi8
  seg ce0 ; seg kce7 ; seg tcea ; seg zcef ;
  seg zme10 ; seg zre99 ; seg zwce12 ; seg zwreb ;
  seg zmec ; seg zred ; seg kcee ; seg cef ; seg ce9 ;
end
== log
open /dev/zlumi8 flags=0x2 -> ok
zlumi8 ZLIOGLINK -> ENXIO
zlumi8 ZLIOCLINK -> ok
zlumi8 ZLIOASEG name=ce unit=0 flags=0x00001110 -> ok
zlumi8 ZLIOSSEG name=ce unit=0 flags=0x00000110 -> ok
zlumi8 ZLIOASEG name=kce unit=7 flags=0x00001110 -> ok
zlumi8 ZLIOSSEG name=kce unit=7 flags=0x00000110 -> ok
zlumi8 ZLIOASEG name=tce unit=10 flags=0x00001110 -> ok
zlumi8 ZLIOSSEG name=tce unit=10 flags=0x00000110 -> ok
zlumi8 ZLIOASEG name=zce unit=15 flags=0x00001110 -> ok
zlumi8 ZLIOSSEG name=zce unit=15 flags=0x00000110 -> ok
zlumi8 ZLIOASEG name=zme1 unit=0 flags=0x00001110 -> ok
zlumi8 ZLIOSSEG name=zme1 unit=0 flags=0x00000110 -> ok
zlumi8 ZLIOASEG name=zre9 unit=9 flags=0x00001110 -> ok
zlumi8 ZLIOSSEG name=zre9 unit=9 flags=0x00000110 -> ok
zlumi8 ZLIOASEG name=zwce1 unit=2 flags=0x00001110 -> ok
zlumi8 ZLIOSSEG name=zwce1 unit=2 flags=0x00000110 -> ok
zlumi8 ZLIOASEG name=zwre unit=11 flags=0x00001110 -> ok
zlumi8 ZLIOSSEG name=zwre unit=11 flags=0x00000110 -> ok
zlumi8 ZLIOASEG name=zme unit=12 flags=0x00001110 -> ok
zlumi8 ZLIOSSEG name=zme unit=12 flags=0x00000110 -> ok
zlumi8 ZLIOASEG name=zre unit=13 flags=0x00001110 -> ok
zlumi8 ZLIOSSEG name=zre unit=13 flags=0x00000110 -> ok
zlumi8 ZLIOASEG name=kce unit=14 flags=0x00001110 -> ok
zlumi8 ZLIOSSEG name=kce unit=14 flags=0x00000110 -> ok
zlumi8 ZLIOASEG name=ce unit=15 flags=0x00001110 -> ok
zlumi8 ZLIOSSEG name=ce unit=15 flags=0x00000110 -> ok
zlumi8 ZLIOASEG name=ce unit=9 flags=0x00001110 -> ok
zlumi8 ZLIOSSEG name=ce unit=9 flags=0x00000110 -> ok
zlumi8 ZLIOSMODE flags=0x00001100 -> ok
zlumi8 ZLIOELINK -> ok
close zlumi8
== stdout
== stderr
== status
0
