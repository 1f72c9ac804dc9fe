# An input without tokens is a syntax error at its end, on the line after its
# last newline.
== args
-
== stdin


== log
== stdout
== stderr
*** \t Syntax error line 3
== status
1
