# An unknown option: wrong arguments.
== args
--bogus
== stdout
== stderr
zlsave: unknown option --bogus
usage: zlsave [LINK...]
       zlsave --help | --version
Prints the driver's links (all, or those named: zl0..zl8, zlumi0..zlumi8) as a
configuration file that recreates them from nothing: per link a block that
deletes it, then one that builds it again. Only reads the driver. Exit status:
0 saved, 1 a link that cannot be opened or read, 2 wrong arguments.
== status
2
