# --check reads no driver: the driver here has zl2, and the plan takes it as
# absent. Each thing zlconf would take without a word is warned about, the
# word shown whole, a line that begins with "#" once; --strict makes any
# warning fail the run.
== state
link zl2
  mode 0x00000121
  segment ce0 speed 100 duplex 2 state 0x00050111
== config
# zl zlumi0 delete end # Old
zl zl2 RoundRobin dymanic
  segmnet ce1 trunk ;
  seg ce0 delet end
  tl 02:00:00:0a:0b:0c ce0
  tl 02:00:00:0a:0b:0c kce1
end
== args
--check
--strict
site.conf
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.
Checked without a driver: every link taken as absent.

link zlumi0 (site.conf:1)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zlumi0   mode 0x00001100  NEW|DYMXOR
  changes: no change in the end; creates and deletes zlumi0 on the way
  requests at its end, line 1:
     1  ZLIOCLINK
     2  ZLIODLINK
  afterwards the driver no longer has zlumi0

link zl2 (site.conf:2)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl2   mode 0x00001100  NEW|DYMXOR
  changes: + link zl2 (dynamic+tablelookup); + ce1 (trunk); + ce0 (trunk); + 02:00:00:0a:0b:0c \xe2\x86\x92 kce1
  requests at its end, line 7:
     1  ZLIOCLINK
     2  ZLIOASEG   ce1    name=ce unit=1  flags=0x00001110 NEW|SAMEADDR|TRUNK
     3  ZLIOSSEG   ce1    name=ce unit=1  flags=0x00000110 SAMEADDR|TRUNK
     4  ZLIOASEG   ce0    name=ce unit=0  flags=0x00009110 DELETE|NEW|SAMEADDR|TRUNK
     5  ZLIOSSEG   ce0    name=ce unit=0  flags=0x00008110 DELETE|SAMEADDR|TRUNK
     6  ZLIOSMODE  flags=0x00011100 TBLLOOKUP|NEW|DYMXOR
     7  ZLIOATL    ce0    name=ce unit=0  eaddr=02:00:00:0a:0b:0c
     8  ZLIOATL    kce1   name=kce unit=1  eaddr=02:00:00:0a:0b:0c
     9  ZLIOELINK
  afterwards the driver holds zl2 with 2 segments, 1 table-lookup entry

zlconf would commit 2 link block(s) with 11 request(s) and exit with status 0, reporting any request the driver refuses (but the ZLIOSSEG that ends a removed segment).
== stderr
site.conf:1:1: warning: comments begin with `^#`; this line is carried out
site.conf:2:8: warning: `RoundRobin` is ignored; keywords, names and addresses are lower case; did you mean `roundrobin`?
site.conf:2:19: warning: `dymanic` is read as `dym` followed by `anic`, which is ignored; did you mean `dynamic`?
site.conf:3:3: warning: `segmnet` is read as `seg` followed by `mnet`, which is ignored; did you mean `segment`?
site.conf:4:11: warning: `delet` is read as `del` followed by `et`, which is ignored; did you mean `delete`?
site.conf:5:24: warning: table-lookup entry 02:00:00:0a:0b:0c names ce0, which this block deletes
site.conf:6:24: warning: table-lookup entry 02:00:00:0a:0b:0c names kce1, which is not a member of zl2
site.conf:6:24: warning: address 02:00:00:0a:0b:0c is given twice in this block
== status
1
