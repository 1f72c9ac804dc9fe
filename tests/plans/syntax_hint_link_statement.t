# A link statement inside a segment block: the hint names its level.
== config
zl zl0 seg ce0 dumpinfo end
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl0 (site.conf:1)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl0   mode 0x00001100  NEW|DYMXOR
  not committed: the run stops before this block's end

zlconf would stop at line 1 with status 1 (see the diagnostics), after 0 request(s) that change the driver.
== stderr
site.conf:1:16: unexpected 'dumpinfo' in a segment block; expected one of: add, delete, sameaddr, diffaddr, standby, trunk, speed, duplex, end
zl zl0 seg ce0 dumpinfo end
               ^
site.conf:1:16: hint: 'dumpinfo' is a link statement: end the segment block with 'end' or ';' first
site.conf:1:16: note: zlconf stops here with "*** \\t Syntax error line 1" and status 1; no link block is committed, and zl0 (line 1) is not
== status
1
