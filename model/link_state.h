// What the stand-in driver knows: the links it has, keyed by device name.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_snapshot.h"
#include "records.h"

namespace model {

struct segment_state {
    std::string name;  // interface name, at most kNameField bytes
    std::int32_t speed = 0;
    std::int32_t duplex = 0;
    std::uint32_t state = 0;  // as last set; ZLS_EXISTS is added only when read

    bool operator==(const segment_state&) const = default;
};

struct lookup_entry {
    std::array<std::uint8_t, kEtherAddrLen> address{};
    std::string ifname;  // at most kNameField bytes

    bool operator==(const lookup_entry&) const = default;
};

struct link_state {
    std::string record_name;  // the name written in link_desc.name
    std::uint32_t mode = 0;   // as last set; ZLM_EXISTS is added only when read
    std::vector<segment_state> segments;
    std::vector<lookup_entry> entries;

    bool operator==(const link_state&) const = default;
};

// A link as it is created: named after its device, mode 0, no records.
inline link_state empty_link(std::string_view device) {
    link_state link;
    link.record_name = device;
    return link;
}

// Keyed by device name ("zl0", "zlumi3"); ordered so that saved states are stable.
using driver_state = std::map<std::string, link_state, std::less<>>;

// Handles number list positions in 12 bits, so a list holds at most this many records.
inline constexpr std::size_t kMaxListLength = 0xFFF;

// The figures a segment reports follow from its state bits, as a real card's would.
constexpr std::int32_t speed_for_state(std::uint32_t state) {
    return (state & ZLS_10BT) != 0 ? 10 : 100;
}
constexpr std::int32_t duplex_for_state(std::uint32_t state) {
    return (state & ZLS_HALFDUX) != 0 ? 1 : 2;
}

// `link` as the driver reports it when read: with the bits that say the link
// and each segment exist, every entry installed.
link_snapshot snapshot_as_read(const link_state& link);

// The simulated link that reads as `read`: its inverse, for a snapshot of a
// real driver's link kept as a state file.
link_state state_of_read(const link_snapshot& read);

}  // namespace model
