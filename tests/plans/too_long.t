# A run of 2048 blanks stops the run where zlconf stops with the limit; the
# block before stays committed.
== config
zl zl0 end
zl zl1                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                                end
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

zlconf would stop at line 2 with status 1 (see the diagnostics), after 3 request(s) that change the driver.
== stderr
site.conf:2: a run of blanks or a comment longer than 2048 characters
site.conf:2: note: zlconf stops here with "Input string too long, limit 2048" and status 1; the 1 link block(s) before it stay committed, and zl1 (line 2) is not
== status
1
