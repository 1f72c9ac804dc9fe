# A syntax error in JSON.
== config
zl zl2 seg ce0 speed half ; end
== args
--json
site.conf
== stdout
{
  "schema": 1,
  "input": "site.conf",
  "links": [
    {
      "link": "zl2",
      "at": {
        "line": 1,
        "column": 4
      },
      "found": false,
      "not_found_error": "No such device or address",
      "predicted": false,
      "reads": {
        "ZLIOGLINK": 0,
        "ZLIOGSEG": 0,
        "ZLIOGTL": 0
      },
      "read": {
        "name": "zl2",
        "mode": {
          "value": 4352,
          "hex": "0x00001100",
          "bits": [
            "NEW",
            "DYMXOR"
          ]
        },
        "segments": [],
        "table_lookup": []
      },
      "dumpinfo": [],
      "committed": false
    }
  ],
  "ignored": [],
  "warnings": [],
  "notes": [],
  "stop": {
    "kind": "syntax error",
    "at": {
      "line": 1,
      "column": 22
    },
    "message": "unexpected 'half' after 'speed'; expected one of: auto, 100bt, 10bt",
    "zlconf_message": "*** \\\\t Syntax error line 1"
  },
  "status": 1
}
== stderr
site.conf:1:22: unexpected 'half' after 'speed'; expected one of: auto, 100bt, 10bt
zl zl2 seg ce0 speed half ; end
                     ^
site.conf:1:22: note: zlconf stops here with "*** \\t Syntax error line 1" and status 1; no link block is committed, and zl2 (line 1) is not
== status
1
