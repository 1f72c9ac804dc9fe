// Where zlsim keeps the simulated driver and finds what it needs, and whether
// the library it found is the stand-in driver's: the loader only warns about
// a preload it cannot load and runs the command anyway, against the real
// driver.
#pragma once

#include <string>

namespace sim {

/// The state file when --state is not given: $ZLSIM_STATE, else zlsim.state
/// in the current directory.
std::string default_state_path();

/// The request log of the last run, beside the state file.
std::string log_path_for(const std::string& state_path);

/// The program zlsim runs as; empty when it cannot be told.
std::string own_path();

/// The directory zlsim runs from.
std::string own_directory();

/// The stand-in driver's preload library, absolute and canonical:
/// $ZLSIM_PRELOAD, else where an installation or a build tree puts it beside
/// zlsim. Empty when not found; $ZLSIM_PRELOAD as it is when it names nothing.
std::string preload_library();

/// The symbol that only the stand-in's preload library exports.
inline constexpr const char* kStandinMarker = "zlconf_standin_marker";

/// Empty when `library` loads and exports kStandinMarker; otherwise why not.
std::string preload_problem(const std::string& library);

}  // namespace sim
