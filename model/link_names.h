// The names the driver knows: the link devices it offers, "zl0".."zl8" and
// "zlumi0".."zlumi8", and the interfaces its requests name, each as a stem
// and a unit 0..15 that stands for the name's last character.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "driver/requests.h"

namespace model {

bool is_link_device_name(std::string_view name);

// "zl3" for "/dev/zl3"; nothing for a path that is not one of the link devices.
std::optional<std::string_view> link_device_of_path(std::string_view path);

// A number unique to each link device, mixed into its handles: 0..8 for the
// "zl" devices, 0x100..0x108 for the "zlumi" ones. The name must be valid.
std::uint32_t link_device_slot(std::string_view name);

// The stem followed by the unit's hexadecimal digit: "ce" and 10 give "cea",
// "ce1" and 0 give "ce10". Nothing when the stem has no NUL within its field
// or the unit is out of range, which the driver refuses.
std::optional<std::string> interface_name_of(const link_req& request);

}  // namespace model
