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

/// The phrases joined by "; ", or "no change"; and for no change, what the
/// block still did on the way: "no change in the end; creates and deletes
/// zl1 on the way".
std::string changes_text(const std::vector<std::string>& changes,
                         const std::vector<std::string>& on_the_way = {});

/// " → " and "− " where the locale's characters are UTF-8 (LC_ALL, LC_CTYPE
/// or LANG, the first that is set), else " -> " and "- ".
const char* arrow();
const char* minus();

}  // namespace plan
