# A command that cannot be run: status 127.
== args
run
no-such-command
== stdout
== stderr
zlsim: no-such-command: command not found
== status
127
