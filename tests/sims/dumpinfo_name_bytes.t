# zlconf's DUMPINFO writes the bytes of names as the driver holds them (show
# escapes them).
== config
link zl2
  segment ce\\x1b[2J speed 100 duplex 2 state 0x110
  tl 02:00:00:0a:0b:0c ce\\x0a
== args
run
zlconf
-
== stdin
zl zl2 di end
== stdout
== stderr
Zelnar zl2   mode 0x00000001
  Segment ce\x1b[2J speed 100 duplex 2 state 0x00000111
Table Lookup addresses
  02:00:00:0a:0b:0c\tLink ce

zlconf: zl2: ZLIOSSEG ce\x1b[2J refused: No such file or directory
== status
0
