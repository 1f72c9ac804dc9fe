# A seed that cannot be read: status 1.
== args
reset
no-such.state
== stdout
== stderr
zlsim: no-such.state: no such state file
== status
1
