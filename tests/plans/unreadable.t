# Input that cannot be read: status 2.
== args
no-such.conf
== stdout
== stderr
zlplan: can't open no-such.conf: No such file or directory
== status
2
