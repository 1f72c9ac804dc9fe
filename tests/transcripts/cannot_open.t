# A configuration file that does not exist: status 2.
== args
no-such.conf
== log
== stdout
== stderr
can't open no-such.conf: No such file or directory
== status
2
