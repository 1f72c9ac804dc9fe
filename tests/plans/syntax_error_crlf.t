# A line ended by CRLF is quoted without its carriage return.
== config
zl zl0 ;\r
zl ce0\r
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

zlconf would stop at line 2 with status 1 (see the diagnostics), after 3 request(s) that change the driver.
== stderr
site.conf:1:9: warning: '\\x0d' forms no token; zlconf copies it to standard output and otherwise ignores it
site.conf:2:7: warning: '\\x0d' forms no token; zlconf copies it to standard output and otherwise ignores it
site.conf:2:4: unexpected 'ce0' after a link block's keyword; expected a link name
zl ce0
   ^
site.conf:2:4: hint: link names are zl0 to zl8 and zlumi0 to zlumi8
site.conf:2:4: note: zlconf stops here with "*** \\t Syntax error line 2" and status 1; the 1 link block(s) before it stay committed
== status
1
