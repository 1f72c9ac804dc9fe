# The version, named for the tool set.
== args
--version
== stdout
zlplan (zlconf) 0.1.0
== stderr
== status
0
