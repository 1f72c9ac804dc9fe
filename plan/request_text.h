// A recorded request decoded into the fields it uses, the way an
// administrator reads it: the interface by its name, flags by their bits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plan/planning_device.h"

namespace plan {

struct decoded_request {
    std::string request;  // "ZLIOASEG"
    // The interface of a segment or table-lookup request.
    std::optional<std::string> interface;  // "ce0"; empty when the name does not decode
    std::optional<std::string> stem;       // as sent: "ce"
    std::optional<std::int32_t> unit;      // as sent: 0
    std::optional<std::uint32_t> flags;    // a segment's state or the link's mode
    std::vector<std::string> flag_names;
    std::optional<std::string> address;  // "02:00:00:0a:0b:0c"
};

decoded_request decode(const recorded_request& request);

/// One line: "ZLIOASEG  ce0  name=ce unit=0  flags=0x00001110 NEW|SAMEADDR|TRUNK".
std::string request_text(const recorded_request& request);

}  // namespace plan
