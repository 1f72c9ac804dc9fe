// What a block changes in a link, in words, from the driver's state before
// it and after it: "mode dynamic → roundrobin; + ce2 (trunk, 100bt full);
// ce1 trunk → standby; − ce3; + 02:00:00:0a:0b:0c → kce1".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/link_state.h"

namespace plan {

/// One phrase per change; none when the link stays as it was. An absent
/// state is a link the driver does not have.
std::vector<std::string> link_changes(const std::optional<model::link_state>& before,
                                      const std::optional<model::link_state>& after);

/// The phrases joined by "; ", or "no change".
std::string changes_text(const std::vector<std::string>& changes);

}  // namespace plan
