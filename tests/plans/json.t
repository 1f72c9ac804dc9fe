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
  "input": "site.conf",
  "status": 0,
  "links": [
    {
      "link": "zl2",
      "at": {
        "line": 1,
        "column": 4
      },
      "found": true,
      "predicted": false,
      "reads": [
        "ZLIOGLINK",
        "ZLIOGSEG"
      ],
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
      "requests": [
        {
          "request": "ZLIOSSEG",
          "interface": "ce0",
          "name": "ce",
          "unit": 0,
          "flags": {
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
        },
        {
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
          "request": "ZLIOATL",
          "interface": "zce1",
          "name": "zce",
          "unit": 1,
          "eaddr": "00:1b:21:ff:00:01"
        },
        {
          "request": "ZLIOELINK"
        }
      ],
      "after": {
        "name": "zl2",
        "mode": {
          "value": 65825,
          "hex": "0x00010121",
          "bits": [
            "TBLLOOKUP",
            "DYMXOR",
            "DSTROUTE",
            "EXISTS"
          ]
        },
        "segments": [
          {
            "name": "ce0",
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
          },
          {
            "name": "zce1",
            "state": {
              "value": 529,
              "hex": "0x00000211",
              "bits": [
                "DIFFADDR",
                "TRUNK",
                "EXISTS"
              ]
            }
          }
        ],
        "table_lookup": [
          {
            "eaddr": "00:1b:21:ff:00:01",
            "interface": "zce1"
          }
        ]
      }
    }
  ],
  "ignored": [],
  "stop": null
}
== stderr
== status
0
