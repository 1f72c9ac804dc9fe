# The links as JSON, with the version of the schema they keep to.
== config
link zl2
  mode 0x00000120
  segment ce0 speed 10 duplex 1 state 0x000a0110
  tl 02:00:00:0a:0b:0c ce0
== args
show
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
            "speed": 10,
            "duplex": 1,
            "state": {
              "value": 655633,
              "hex": "0x000a0111",
              "bits": [
                "10BT",
                "HALFDUX",
                "SAMEADDR",
                "TRUNK",
                "EXISTS"
              ]
            }
          }
        ],
        "table_lookup": [
          {
            "eaddr": "02:00:00:0a:0b:0c",
            "interface": "ce0",
            "installed": true
          }
        ]
      }
    }
  ]
}
== stderr
== status
0
