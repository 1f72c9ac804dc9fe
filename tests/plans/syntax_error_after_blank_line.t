# At the end of input the error points after the last newline.
== config
zl zl0

== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl0 (site.conf:1)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl0   mode 0x00001100  NEW|DYMXOR
  not committed: the run stops before this block's end

zlconf would stop at line 3 with status 1 (see the diagnostics), after 0 request(s) that change the driver.
== stderr
site.conf:3:1: unexpected end of input in a link block; expected one of: add, delete, dstroute, dynamic, fallover, roundrobin, spillover, tablelookup, dumpinfo, segment, end

^
site.conf:3:1: note: zlconf stops here with "*** \\t Syntax error line 3" and status 1; no link block is committed, and zl0 (line 1) is not
== status
1
