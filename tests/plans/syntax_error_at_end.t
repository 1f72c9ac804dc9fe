# A block without its end: the error is at the end of the input.
== stdin
zl zl0 seg ce0 speed 100bt
== args
-
== stdout
Plan for <stdin>
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl0 (<stdin>:1)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl0   mode 0x00001100  NEW|DYMXOR
  not committed: the run stops before this block's end

zlconf would stop at line 2 with status 1 (see the diagnostics), after 0 request(s) that change the driver.
== stderr
<stdin>:2:1: unexpected end of input in a segment block; expected one of: add, delete, sameaddr, diffaddr, standby, trunk, speed, duplex, end

^
<stdin>:2:1: note: zlconf stops here with "*** \\t Syntax error line 2" and status 1; no link block is committed, and zl0 (line 1) is not
== status
1
