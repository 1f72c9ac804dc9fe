# The same plan as JSON.
== state
link zl2
  mode 0x00000121
  segment ce0 speed 100 duplex 2 state 0x00050111
== config
zl zl2 di seg ce0 trunk ; seg zce1 diffaddr ; tl 00:1b:21:ff:00:01 zce1 end
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
      "found": true,
      "predicted": false,
      "reads": {
        "ZLIOGLINK": 1,
        "ZLIOGSEG": 1,
        "ZLIOGTL": 0
      },
      "read": {
        "name": "zl2",
        "mode": {
          "value": 289,
          "hex": "0x00000121",
          "bits": [
            "DYMXOR",
            "DSTROUTE",
            "EXISTS"
          ]
        },
        "segments": [
          {
            "name": "ce0",
            "speed": 100,
            "duplex": 2,
            "state": {
              "value": 327953,
              "hex": "0x00050111",
              "bits": [
                "100BT",
                "FULLDUX",
                "SAMEADDR",
                "TRUNK",
                "EXISTS"
              ]
            }
          }
        ],
        "table_lookup": []
      },
      "dumpinfo": [
        {
          "at": {
            "line": 1,
            "column": 8
          },
          "text": "Zelnar zl2   mode 0x00000121\\n  Segment ce0 speed 100 duplex 2 state 0x00050111\\n"
        }
      ],
      "committed": true,
      "end": {
        "line": 1,
        "column": 73
      },
      "changes": [
        "mode dynamic+dstroute \xe2\x86\x92 dynamic+dstroute+tablelookup",
        "+ zce1 (trunk, diffaddr)",
        "+ 00:1b:21:ff:00:01 \xe2\x86\x92 zce1"
      ],
      "on_the_way": [],
      "requests": [
        {
          "number": 2,
          "request": "ZLIOASEG",
          "interface": "zce1",
          "name": "zce",
          "unit": 1,
          "flags": {
            "value": 4624,
            "hex": "0x00001210",
            "bits": [
              "NEW",
              "DIFFADDR",
              "TRUNK"
            ]
          }
        },
        {
          "number": 3,
          "request": "ZLIOSSEG",
          "interface": "zce1",
          "name": "zce",
          "unit": 1,
          "flags": {
            "value": 528,
            "hex": "0x00000210",
            "bits": [
              "DIFFADDR",
              "TRUNK"
            ]
          }
        },
        {
          "number": 4,
          "request": "ZLIOSMODE",
          "flags": {
            "value": 65825,
            "hex": "0x00010121",
            "bits": [
              "TBLLOOKUP",
              "DYMXOR",
              "DSTROUTE",
              "EXISTS"
            ]
          }
        },
        {
          "number": 5,
          "request": "ZLIOATL",
          "interface": "zce1",
          "name": "zce",
          "unit": 1,
          "eaddr": "00:1b:21:ff:00:01"
        },
        {
          "number": 6,
          "request": "ZLIOELINK"
        }
      ],
      "unchanged_ZLIOSSEG": 1,
      "exists_after": true,
      "segments_after": 2,
      "table_lookup_after": 1,
      "after": null
    }
  ],
  "ignored": [],
  "warnings": [],
  "notes": [],
  "stop": null,
  "status": 0
}
== stderr
== status
0
