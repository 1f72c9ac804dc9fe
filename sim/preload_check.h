// Whether a library is the stand-in driver's, before zlsim preloads it: the
// loader only warns about a preload it cannot load and runs the command
// anyway, against the real driver.
#pragma once

#include <string>

namespace sim {

/// The symbol that only the stand-in's preload library exports.
inline constexpr const char* kStandinMarker = "zlconf_standin_marker";

/// Empty when `library` loads and exports kStandinMarker; otherwise why not.
std::string preload_problem(const std::string& library);

}  // namespace sim
