# --json: the links as zlsim show --json prints them, words with their bits named.
== state
link zl2
  mode 0x00000111
== args
--json
== stdout
{
  "schema": 1,
  "links": [
    {
      "link": "zl2",
      "state": {
        "name": "zl2",
        "mode": {
          "value": 273,
          "hex": "0x00000111",
          "bits": [
            "DYMXOR",
            "ROUNDROBIN",
            "EXISTS"
          ]
        },
        "segments": [],
        "table_lookup": []
      }
    }
  ]
}
== stderr
== status
0
