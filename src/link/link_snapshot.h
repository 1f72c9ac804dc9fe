// A link description as plain values: what was read, what a DUMPINFO prints,
// what the driver holds afterwards. A snapshot outlives the records it was
// taken from (a commit releases those).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "records.h"

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

/// `link` with both its lists; each name ends at its NUL, or fills its field.
link_snapshot snapshot_of(const link_desc& link);
