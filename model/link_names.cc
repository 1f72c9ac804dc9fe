#include "model/link_names.h"

namespace model {

namespace {

constexpr std::string_view kDevicePrefix = "/dev/";
constexpr std::string_view kShortFamily = "zl";
constexpr std::string_view kLongFamily = "zlumi";
constexpr std::uint32_t kLongFamilySlot = 0x100;

bool is_family_member(std::string_view name, std::string_view family) {
    return name.size() == family.size() + 1 && name.starts_with(family) && name.back() >= '0' &&
           name.back() <= '8';
}

}  // namespace

bool is_link_device_name(std::string_view name) {
    return is_family_member(name, kShortFamily) || is_family_member(name, kLongFamily);
}

std::optional<std::string_view> link_device_of_path(std::string_view path) {
    if (!path.starts_with(kDevicePrefix)) {
        return std::nullopt;
    }
    const std::string_view name = path.substr(kDevicePrefix.size());
    if (!is_link_device_name(name)) {
        return std::nullopt;
    }
    return name;
}

std::uint32_t link_device_slot(std::string_view name) {
    const auto digit = static_cast<std::uint32_t>(name.back() - '0');
    return is_family_member(name, kLongFamily) ? kLongFamilySlot + digit : digit;
}

}  // namespace model
