# A word after a block's end: only another link block may come.
== config
zl zl0 end ce1
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl0 (site.conf:1)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl0   mode 0x00001100  NEW|DYMXOR
  changes: + link zl0 (dynamic)
  requests at its end, line 1:
     1  ZLIOCLINK
     2  ZLIOSMODE  flags=0x00001100 NEW|DYMXOR
     3  ZLIOELINK
  afterwards the driver holds zl0 with 0 segments, 0 table-lookup entries

zlconf would stop at line 1 with status 1 (see the diagnostics), after 3 request(s) that change the driver.
== stderr
site.conf:1:12: unexpected 'ce1' between link blocks; expected one of: zelnar, end of input
zl zl0 end ce1
           ^
site.conf:1:12: hint: a link block begins with 'zelnar', 'zl' or 'link' and a link name
site.conf:1:12: note: zlconf stops here with "*** \\t Syntax error line 1" and status 1; the 1 link block(s) before it stay committed
== status
1
