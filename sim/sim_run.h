// One run of zlsim, from the command line to the exit status.
#pragma once

namespace sim {

/// Exit status: the command's own for `run` (125 when zlsim cannot start it,
/// 126 when it cannot be executed, 127 when it is not found); otherwise 0 done,
/// 1 a state or log file that cannot be read or written, 2 wrong arguments.
int zlsim_main(int argc, char** argv);

}  // namespace sim
