# A segment cannot be read: the link and the request are named; the run stops.
== state
link zl0
  mode 0x00000101
  segment ce0 speed 100 duplex 2 state 0x00000111
  segment ce1 speed 100 duplex 2 state 0x00000111
== fail
ZLIOGSEG:2:EIO
== config
zl zl1 end
zl zl0 rr end
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl1 (site.conf:1)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl1   mode 0x00001100  NEW|DYMXOR
  changes: + link zl1 (dynamic)
  requests at its end, line 1:
     1  ZLIOCLINK
     2  ZLIOSMODE  flags=0x00001100 NEW|DYMXOR
     3  ZLIOELINK
  afterwards the driver holds zl1 with 0 segments, 0 table-lookup entries

link zl0 (site.conf:2)
  not read: the run stops while opening or reading it

zlconf would stop at line 2 with status 1 (see the diagnostics), after 3 request(s) that change the driver.
== stderr
site.conf:2:4: link zl0: ZLIOGSEG failed reading segment 2: Input/output error
site.conf:2:4: note: zlconf stops here with "zlconf ZLIOGSEG : Input/output error" and status 1; the 1 link block(s) before it stay committed, and zl0 (line 2) is not
== status
1
