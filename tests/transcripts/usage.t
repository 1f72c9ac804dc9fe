# Two arguments: the error line, then the usage line; nothing is read.
== args
one
two
== log
== stdout
== stderr
zlconf: Wrong number of args
usage: zlconf [<config_file> | - ]
== status
1
