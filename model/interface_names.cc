#include "model/interface_names.h"

#include <cstring>

#include "model/number_text.h"

namespace model {

namespace {

constexpr std::int32_t kUnitCount = 16;

}  // namespace

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
