# The place of a syntax error after CRLF, blank and tab-indented lines: its
# line, its column counting a tab as one, and the caret under the token.
== config
zl zl1\r

\t seg ce0 ;
\tfo ce1
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl1 (site.conf:1)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl1   mode 0x00001100  NEW|DYMXOR
  not committed: the run stops before this block's end

zlconf would stop at line 4 with status 1 (see the diagnostics), after 0 request(s) that change the driver.
== stderr
site.conf:1:7: warning: '\\x0d' forms no token; zlconf copies it to standard output and otherwise ignores it
site.conf:4:5: unexpected 'ce1' in a link block; expected one of: add, delete, dstroute, dynamic, fallover, roundrobin, spillover, tablelookup, dumpinfo, segment, end
\tfo ce1
\t   ^
site.conf:4:5: note: zlconf stops here with "*** \\t Syntax error line 4" and status 1; no link block is committed, and zl1 (line 1) is not
== status
1
