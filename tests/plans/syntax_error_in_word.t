# A token that is part of a longer word: the warning and the syntax error
# both quote the word as written; upper case in an address is named.
== config
zl zl3 tl 02:00:00:0A:0b:0c ce1 end
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl3 (site.conf:1)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl3   mode 0x00001100  NEW|DYMXOR
  not committed: the run stops before this block's end

zlconf would stop at line 1 with status 1 (see the diagnostics), after 0 request(s) that change the driver.
== stderr
site.conf:1:11: warning: `02:00:00:0A:0b:0c` is read as `02:00:00:` followed by `0A`, which is ignored, followed by `:0b:0c`; keywords, names and addresses are lower case; did you mean `02:00:00:0a:0b:0c`?
site.conf:1:22: unexpected ':' (in `02:00:00:0A:0b:0c`) in a table-lookup address; expected a hexadecimal byte
zl zl3 tl 02:00:00:0A:0b:0c ce1 end
                     ^
site.conf:1:22: note: zlconf stops here with "*** \\t Syntax error line 1" and status 1; no link block is committed, and zl3 (line 1) is not
== status
1
