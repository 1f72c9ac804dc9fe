// Error numbers by their symbols, for request logs and failure rules.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace model {

// "ENXIO" for ENXIO; the decimal number for an error outside the table.
std::string errno_name(int error);

// The error a symbol from the table stands for, or a positive decimal number.
std::optional<int> errno_from_name(std::string_view name);

}  // namespace model
