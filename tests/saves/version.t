# The version, named for the tool set.
== args
--version
== stdout
zlsave (zlconf) 0.1.0
== stderr
== status
0
