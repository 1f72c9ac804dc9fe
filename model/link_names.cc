#include "model/link_names.h"

#include <cerrno>
#include <cstring>

#include "config/families.h"
#include "model/number_text.h"

namespace model {

namespace {

constexpr std::string_view kDevicePrefix = "/dev/";
constexpr std::uint32_t kFamilySlots = 0x100;  // each family's devices, apart from the next's
constexpr std::int32_t kUnitCount = 16;

}  // namespace

bool is_link_device_name(std::string_view name) {
    return link_family_of(name).has_value();
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
    const auto family = static_cast<std::uint32_t>(link_family_of(name).value_or(0));
    return family * kFamilySlots + static_cast<std::uint32_t>(name.back() - '0');
}

std::optional<std::string> interface_name_of(const link_req& request) {
    const void* terminator = std::memchr(request.name, '\0', sizeof request.name);
    if (terminator == nullptr || request.unit < 0 || request.unit >= kUnitCount) {
        return std::nullopt;
    }
    std::string name(request.name);
    name += hex_digit(static_cast<unsigned>(request.unit));  // a unit is one hex digit
    return name;
}

}  // namespace model
