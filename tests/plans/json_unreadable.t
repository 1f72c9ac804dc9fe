# Input that cannot be read, as JSON: an error object, status 2.
== args
--json
no-such.conf
== stdout
{
  "schema": 1,
  "input": "no-such.conf",
  "links": [],
  "ignored": [],
  "warnings": [],
  "notes": [],
  "error": "can't open no-such.conf: No such file or directory",
  "status": 2
}
== stderr
zlplan: can't open no-such.conf: No such file or directory
== status
2
