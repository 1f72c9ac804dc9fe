// The fewest statements that bring a link back from how the driver holds it
// now to how the restore point saved it. A link that carries traffic keeps
// its members where it can: a setting is set back, a member removed or added;
// only what no statement undoes (a table-lookup entry added, table lookup
// turned on, a bit of the driver's own) has the link deleted and built again
// from the restore point.
#pragma once

#include <optional>
#include <string>

#include "link/link_snapshot.h"

namespace apply {

struct link_undo {
    std::string statements;  // configuration text; empty when the link is as saved
    /// Set when the link is deleted and built again from the restore point:
    /// why no fewer statements do.
    std::string rebuilt_because;
};

/// An absent state is a link the driver does not hold: one the apply created
/// is deleted, one it deleted is built again.
link_undo undo_of(const std::string& device, const std::optional<link_snapshot>& now,
                  const std::optional<link_snapshot>& saved);

}  // namespace apply
