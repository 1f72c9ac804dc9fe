# The command's exit status is zlsim's: a syntax error's 1.
== args
run
zlconf
-
== stdin
zl zl0
== stdout
== stderr
*** \t Syntax error line 2
== status
1
