# A state file that is not there is a mistyped name, not an empty driver.
== config
zl zl0 seg ce0 ; end
== args
--check
--state
typo.state
--exit-code
site.conf
== stdout
== stderr
zlplan: can't read the state file typo.state: No such file or directory
== status
2
