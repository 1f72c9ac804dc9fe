// How a request names an interface: a stem and a unit 0..15 that stands for
// the name's last character.
#pragma once

#include <optional>
#include <string>

#include "driver/requests.h"

namespace model {

// The stem followed by the unit's hexadecimal digit: "ce" and 10 give "cea",
// "ce1" and 0 give "ce10". Nothing when the stem has no NUL within its field
// or the unit is out of range, which the driver refuses.
std::optional<std::string> interface_name_of(const link_req& request);

}  // namespace model
