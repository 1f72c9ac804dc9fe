// One run of zlsim, from the command line to the exit status, and the
// simulated links as `zlsim show` prints them.
#pragma once

#include <string>

#include "model/link_state.h"

namespace sim {

/// Exit status: the command's own for `run` (125 when zlsim cannot start it,
/// 126 when it cannot be executed, 127 when it is not found); otherwise 0 done,
/// 1 a state or log file that cannot be read or written, 2 wrong arguments.
int zlsim_main(int argc, char** argv);

/// The standard descriptors (bit 0 for standard input) that zlsim found
/// closed: `run` closes them again for the command, which then fails as it
/// would without zlsim, rather than writing its result to the /dev/null that
/// zlsim keeps there for itself.
void hand_on_closed_streams(unsigned descriptors);

/// Every link in device-name order, as zlconf's DUMPINFO would print it: a
/// link reads as the driver reports it, with the bits that say it exists.
/// Each mode and state word is followed by its bits' names:
/// "mode 0x00000111 (DYMXOR|ROUNDROBIN|EXISTS)".
std::string dumpinfo_of_state(const model::driver_state& state);

}  // namespace sim
