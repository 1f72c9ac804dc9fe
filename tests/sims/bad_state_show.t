# A state file zlsim cannot read cannot be shown: status 1.
== config
link zl9
== args
show
== stdout
== stderr
zlsim: zlsim.state: line 1: 'zl9' is not a link device (zl0..zl8, zlumi0..zlumi8)
== status
1
