# Bytes of names that a terminal would act on are shown escaped.
== config
link zl2
  segment ce\\x1b[2J speed 100 duplex 2 state 0x110
  tl 02:00:00:0a:0b:0c ce\\x0a
== args
show
== stdout
Zelnar zl2   mode 0x00000001 (EXISTS)
  Segment ce\\x1b[2J speed 100 duplex 2 state 0x00000111 (SAMEADDR|TRUNK|EXISTS)
Table Lookup addresses
  02:00:00:0a:0b:0c\tLink ce\\x0a
== stderr
== status
0
