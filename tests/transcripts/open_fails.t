# The device of the second block cannot be opened: the first block stays
# committed, the run ends with status 1 and the third block is never read.
== fail
open:zl1:ENOENT
== config
zl zl0 end
zl zl1 end
zl zl2 end
== log
open /dev/zl0 flags=0x2 -> ok
zl0 ZLIOGLINK -> ENXIO
zl0 ZLIOCLINK -> ok
zl0 ZLIOSMODE flags=0x00001100 -> ok
zl0 ZLIOELINK -> ok
close zl0
open /dev/zl1 flags=0x2 -> ENOENT
== stdout
== stderr
zlconf open device: No such file or directory
== status
1
== state after
link zl0
  mode 0x00001100
