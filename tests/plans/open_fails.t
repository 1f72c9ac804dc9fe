# A device that cannot be opened.
== fail
open:zl3:EACCES
== config
zl zl3 end
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.

link zl3 (site.conf:1)
  not read: the run stops while opening or reading it

zlconf would stop at line 1 with status 1 (see the diagnostics), after 0 request(s) that change the driver.
== stderr
site.conf:1:4: link zl3: open /dev/zl3 failed: Permission denied
site.conf:1:4: note: zlconf stops here with "zlconf open device: Permission denied" and status 1; no link block is committed, and zl3 (line 1) is not
== status
1
