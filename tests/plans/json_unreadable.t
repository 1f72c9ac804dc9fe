# Input that cannot be read, as JSON: an error object, status 2.
== args
--json
no-such.conf
== stdout
{
  "input": "no-such.conf",
  "links": [],
  "ignored": [],
  "error": "can't open no-such.conf: No such file or directory",
  "status": 2
}
== stderr
zlplan: can't open no-such.conf: No such file or directory
== status
2
