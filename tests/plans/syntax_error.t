# A syntax error: where and what, the line with a caret, a hint, and what
# zlconf does; the block before stays committed.
== config
zl zl0 ; 
zl zl1
\tseg ce0 ;
\tstandby
end
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

link zl1 (site.conf:2)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl1   mode 0x00001100  NEW|DYMXOR
  not committed: the run stops before this block's end

zlconf would stop at line 4 with status 1 (see the diagnostics), after 3 request(s) that change the driver.
== stderr
site.conf:4:2: unexpected 'standby' in a link block; expected one of: add, delete, dstroute, dynamic, fallover, roundrobin, spillover, tablelookup, dumpinfo, segment, end
\tstandby
\t^
site.conf:4:2: hint: 'standby' is a segment statement: write it inside 'segment <interface> ... end'
site.conf:4:2: note: zlconf stops here with "*** \\t Syntax error line 4" and status 1; the 1 link block(s) before it stay committed, and zl1 (line 2) is not
== status
1
