// How a link read back from the driver differs from the state it should
// have: the one the check predicted, after an apply, or the one saved in the
// restore point, after a rollback.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "link/link_snapshot.h"

namespace apply {

enum class compared {
    /// What the statements set: whether the link exists, its distribution and
    /// table lookup, which segments it has with their role, address, speed
    /// and duplex bits, and where each table-lookup address goes.
    set_by_statements,
    /// All of the link as the driver reports it but its speed and duplex
    /// figures: its record's name, every bit of its mode and of each segment's
    /// state, the order of its segments and entries.
    everything,
};

/// One phrase per difference, such as "mode 0x00000011 (ROUNDROBIN|EXISTS),
/// not 0x00000101 (DYMXOR|EXISTS)"; none when `read` matches `wanted`. An
/// absent state is a link the driver does not hold.
std::vector<std::string> differences(const std::optional<link_snapshot>& read,
                                     const std::optional<link_snapshot>& wanted, compared what);

/// The phrases joined by "; ".
std::string joined(const std::vector<std::string>& phrases);

}  // namespace apply
