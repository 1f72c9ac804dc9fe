# Wrong arguments: status 2 and the usage.
== args
--bogus
== stdout
== stderr
zlplan: unknown option --bogus
usage: zlplan [--json] [--full] [--strict] [--exit-code]
              [--check [--state FILE]] [--] [<config_file> | - ]
       zlplan --help | --version
Shows what zlconf would do with the file: for each link block the state read
from the driver, what changes, and the requests zlconf would send that change
it; --full lists every request and the whole state after each block.
Only reads the driver; --check reads none, taking each link from the zlsim
state FILE, or as absent. --strict fails on any warning; --exit-code tells
a change by status 3. Exit status: 0 plan printed, 1 syntax or driver
error (or a warning, with --strict), 2 input not readable or wrong
arguments, 3 some link would change (with --exit-code).
== status
2
