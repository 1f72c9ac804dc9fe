// A link as a plan shows it: what was read, what a DUMPINFO printed, what the
// driver holds afterwards. Plain values, so that a snapshot outlives the
// records it was taken from (the commit releases those).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "records.h"

namespace plan {

struct segment_snapshot {
    std::string name;
    std::int32_t speed = -1;
    std::int32_t duplex = -1;
    std::uint32_t state = 0;
};

struct entry_snapshot {
    std::array<std::uint8_t, kEtherAddrLen> address{};
    std::string ifname;
    bool installed = false;  // read from the driver, so never sent again
};

struct link_snapshot {
    std::string name;  // the record's name: the driver's, or the file's for a new link
    std::uint32_t mode = 0;
    std::vector<segment_snapshot> segments;
    std::vector<entry_snapshot> entries;
};

/// The description `zl` as it stands.
link_snapshot snapshot_of_zl(const link_desc* zl);

/// DUMPINFO's report of `link`, line for line as zlconf prints it, but with
/// the bytes of names that are not printable escaped.
std::string dumpinfo_text(const link_snapshot& link);

}  // namespace plan
