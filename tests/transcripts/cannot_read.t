# A path that opens but cannot be read (a directory): status 2, said plainly,
# rather than taken for an empty file.
== args
.
== log
== stdout
== stderr
can't read .: Is a directory
== status
2
