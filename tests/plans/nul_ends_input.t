# A NUL byte ends zlconf's input: the blocks after it are never read, and
# --strict fails on the warning that says so.
== config
zl zl0 end\x00zl zl1 end
== args
--check
--strict
site.conf
== stdout
Plan for site.conf
What zlconf would do if the driver accepted every request; nothing has been sent.
Checked without a driver: every link taken as absent.

link zl0 (site.conf:1)
  read: ZLIOGLINK found no such link; it starts new and is created at its end
    Zelnar zl0   mode 0x00001100  NEW|DYMXOR
  changes: + link zl0 (dynamic)
  requests at its end, line 1:
     1  ZLIOCLINK
     2  ZLIOSMODE  flags=0x00001100 NEW|DYMXOR
     3  ZLIOELINK
  afterwards the driver holds zl0 with 0 segments, 0 table-lookup entries

zlconf would commit 1 link block(s) with 3 request(s) and exit with status 0, reporting any request the driver refuses (but the ZLIOSSEG that ends a removed segment).
== stderr
site.conf:1:11: warning: a NUL byte ends the input here for zlconf: nothing after it is read
== status
1
