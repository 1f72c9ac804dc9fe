# An unknown option: wrong arguments.
== args
--bogus
== stdout
== stderr
zlsim: unknown option --bogus
usage: zlsim run [--state FILE] [--fail RULES] [--] COMMAND [ARGUMENT...]
       zlsim show [--state FILE] [--json]
       zlsim reset [--state FILE] [FROM_STATE_FILE]
       zlsim log [--state FILE] [--all]
       zlsim --help | --version
A simulated link-aggregation driver: `run` runs COMMAND (zlconf, zlplan,
zlsave) with the driver's devices simulated; the links persist in the state
file between runs. The state file is zlsim.state in the current directory
unless --state or $ZLSIM_STATE names another; the runs' request log is
FILE.log beside it. RULES inject failures, e.g. ZLIOCLINK:1:EBUSY or
open:zl3:ENOENT.
Exit status: run's is the command's (125 cannot start it, 126 cannot execute
it, 127 not found); otherwise 0 done, 1 a file error, 2 wrong arguments.
== status
2
