# An unknown option: wrong arguments.
== args
--bogus
== stdout
== stderr
zlsave: unknown option --bogus
usage: zlsave [--state | --json] [-o FILE] [LINK...]
       zlsave --help | --version
Prints the driver's links (all, or those named: zl0..zl8, zlumi0..zlumi8) as a
configuration file that recreates them from nothing: per link a block that
deletes it, then one that builds it again. Only reads the driver. --state
prints them as a zlsim state file instead, --json as link objects. -o FILE
replaces FILE only once the whole save is written. Exit status: 0 saved, 1 a
link that cannot be opened or read or FILE not written, 2 wrong arguments.
== status
2
