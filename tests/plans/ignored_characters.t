# Characters that form no token are warned about where they stand, also after
# a syntax error; here "Seg" (keywords are lower case) leaves its interface
# name standing alone in the link block.
== config
zl zl0 Seg ce0 ; END
  seg ce100 ;
end
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl0 (site.conf:1)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl0   mode 0x00001100  NEW|DYMXOR
  not committed: the run stops before this block's end

zlconf would stop at line 1 with status 1 (see the diagnostics), after 0 request(s) that change the driver.
== stderr
site.conf:1:8: warning: `Seg` is ignored; keywords, names and addresses are lower case; did you mean `seg`?
site.conf:1:18: warning: `END` is ignored; keywords, names and addresses are lower case; did you mean `end`?
site.conf:2:7: warning: `ce100` is read as `ce10` followed by `0`, which is ignored
site.conf:1:12: unexpected 'ce0' in a link block; expected one of: add, delete, dstroute, dynamic, fallover, roundrobin, spillover, tablelookup, dumpinfo, segment, end
zl zl0 Seg ce0 ; END
           ^
site.conf:1:12: note: zlconf stops here with "*** \\t Syntax error line 1" and status 1; no link block is committed, and zl0 (line 1) is not
== status
1
