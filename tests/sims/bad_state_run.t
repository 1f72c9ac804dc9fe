# A state file zlsim cannot read: the command is not run, status 125.
== config
link zl9
== args
run
zlconf
-
== stdin
zl zl0 end
== stdout
== stderr
zlsim: zlsim.state: line 1: 'zl9' is not a link device (zl0..zl8, zlumi0..zlumi8)
== status
125
