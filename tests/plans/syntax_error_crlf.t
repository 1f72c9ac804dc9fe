# A line ended by CRLF is quoted without its carriage return.
== config
zl ce0\r
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

zlconf would stop at line 1 with status 1 (see the diagnostics), after 0 request(s) that change the driver.
== stderr
site.conf:1:7: warning: '\\x0d' forms no token; zlconf copies it to standard output and otherwise ignores it
site.conf:1:4: unexpected 'ce0' after a link block's keyword; expected a link name
zl ce0
   ^
site.conf:1:4: hint: link names are zl0 to zl8 and zlumi0 to zlumi8
site.conf:1:4: note: zlconf stops here with "*** \\t Syntax error line 1" and status 1; no link block is committed
== status
1
