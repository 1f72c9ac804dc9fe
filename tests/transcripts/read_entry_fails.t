# A table-lookup entry cannot be read: the run ends with status 1.
== state
link zl5
  mode 0x00010101
  tl 02:00:00:00:00:01 ce1
== fail
ZLIOGTL:1:ENXIO
== config
zl zl5 end
== log
open /dev/zl5 flags=0x2 -> ok
zl5 ZLIOGLINK -> ok
zl5 ZLIOGTL cursor=0x5a1e00050000b001 -> ENXIO
== stdout
== stderr
zlconf ZLIOGTL : No such device or address
== status
1
