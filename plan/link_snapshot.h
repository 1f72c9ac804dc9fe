// A simulated link as a snapshot.
#pragma once

#include "link/link_snapshot.h"
#include "model/link_state.h"

namespace plan {

/// `link` as the driver reports it when read: with the bits that say the link
/// and each segment exist, every entry installed.
link_snapshot snapshot_as_read(const model::link_state& link);

/// The simulated link that reads as `read`: its inverse, for a snapshot of a
/// real driver's link kept as a state file.
model::link_state state_of_read(const link_snapshot& read);

}  // namespace plan
