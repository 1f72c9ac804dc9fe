// The simulated links as zlconf's DUMPINFO would print each of them.
#pragma once

#include <string>

#include "standin/link_state.h"

namespace sim {

/// Every link in device-name order; a link reads as the driver reports it,
/// with the bits that say it exists.
std::string dumpinfo_of_state(const standin::driver_state& state);

}  // namespace sim
