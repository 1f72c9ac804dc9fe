// Snapshots of the link being configured and of a simulated link.
#pragma once

#include "link/link_snapshot.h"
#include "standin/link_state.h"

namespace plan {

/// The description `zl` as it stands.
link_snapshot snapshot_of_zl();

/// `link` as the driver reports it when read: with the bits that say the link
/// and each segment exist, every entry installed.
link_snapshot snapshot_as_read(const standin::link_state& link);

}  // namespace plan
