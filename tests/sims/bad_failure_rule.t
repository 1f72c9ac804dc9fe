# A failure rule zlsim cannot read: the command is not run, status 125.
== args
run
--fail
ZLIOXX:1:EIO
zlconf
== stdout
== stderr
zlsim: bad failure rule 'ZLIOXX:1:EIO': 'ZLIOXX' is neither open nor a request name
== status
125
