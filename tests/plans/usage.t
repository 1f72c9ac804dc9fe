# Wrong arguments: status 2 and the usage.
== args
--bogus
== stdout
== stderr
zlplan: unknown option --bogus
usage: zlplan [--json] [--full] [--] [<config_file> | - ]
       zlplan --help | --version
Shows what zlconf would do with the file: for each link block the state read
from the driver and the requests zlconf would send that change it; --full
lists every request and the whole state after each block.
Only reads the driver. Exit status: 0 plan printed, 1 syntax or driver
error, 2 input not readable or wrong arguments.
== status
2
