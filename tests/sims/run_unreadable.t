# The command's exit status is zlsim's: an unreadable file's 2.
== args
run
zlconf
no-such.conf
== stdout
== stderr
can't open no-such.conf: No such file or directory
== status
2
