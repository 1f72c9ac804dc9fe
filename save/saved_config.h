// A link as configuration statements that build it from nothing.
#pragma once

#include "records.h"

#include <cstdint>

#include <string>
#include <vector>

#include "link/link_snapshot.h"

namespace save {

/// A block that deletes the link behind `device`, then a block that builds
/// `link` as the driver reported it. What no statement can make (a bit of the
/// driver's own, a name the lexer would not read) is left out, with a warning
/// for each, "zl2: segment ce0: ...", appended to `warnings`.
std::string saved_link(const std::string& device, const link_snapshot& link,
                       std::vector<std::string>& warnings);

/// The block that deletes a link the driver did not have when saved, so that
/// restoring also removes a link made since.
std::string absent_link(const std::string& device);

}  // namespace save
