// The simulated links as zlconf's DUMPINFO would print each of them, with the
// bits named.
#pragma once

#include <string>

#include "model/link_state.h"

namespace sim {

/// Every link in device-name order; a link reads as the driver reports it,
/// with the bits that say it exists. Each mode and state word is followed by
/// its bits' names: "mode 0x00000111 (DYMXOR|ROUNDROBIN|EXISTS)".
std::string dumpinfo_of_state(const model::driver_state& state);

}  // namespace sim
