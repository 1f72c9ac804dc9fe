// A link as configuration statements that build it from nothing.
#pragma once

#include "records.h"

#include <cstdint>

#include <string>
#include <vector>

#include "link/link_snapshot.h"

namespace save {

/// An option's bit and the statement that sets it: one table for the
/// companions that write statements.
struct keyword {
    std::uint32_t bit;
    const char* word;
};

inline constexpr keyword kDistributions[] = {{ZLM_ROUNDROBIN, "roundrobin"},
                                             {ZLM_DSTROUTE, "dstroute"},
                                             {ZLM_FALLOVER, "fallover"},
                                             {ZLM_SPILLOVER, "spillover"},
                                             {ZLM_DYMXOR, "dynamic"}};
inline constexpr keyword kRoles[] = {{ZLS_TRUNK, "trunk"}, {ZLS_STANDBY, "standby"}};
inline constexpr keyword kAddresses[] = {{ZLS_SAMEADDR, "sameaddr"}, {ZLS_DIFFADDR, "diffaddr"}};
inline constexpr keyword kSpeeds[] = {
    {ZLS_100BT, "speed 100bt"}, {ZLS_10BT, "speed 10bt"}, {ZLS_AUTO, "speed auto"}};
inline constexpr keyword kDuplexes[] = {{ZLS_FULLDUX, "duplex full"}, {ZLS_HALFDUX, "duplex half"}};

/// A block that deletes the link behind `device`, then a block that builds
/// `link` as the driver reported it. What no statement can make (a bit of the
/// driver's own, a name the lexer would not read) is left out, with a warning
/// for each, "zl2: segment ce0: ...", appended to `warnings`.
std::string saved_link(const std::string& device, const link_snapshot& link,
                       std::vector<std::string>& warnings);

/// The block that deletes a link the driver did not have when saved, so that
/// restoring also removes a link made since.
std::string absent_link(const std::string& device);

}  // namespace save
