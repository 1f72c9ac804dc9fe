// A link as configuration statements that build it from nothing.
#pragma once

#include "records.h"

#include <cstdint>

#include <string>
#include <string_view>
#include <vector>

#include "companion/keyword_forms.h"
#include "link/link_snapshot.h"

namespace save {

/// An option's bit and the statement that sets it: one table for the
/// companions that write statements, spelt as the language spells them.
struct keyword {
    std::uint32_t bit;
    std::string_view value;           // "trunk", "100bt"
    std::string_view statement = {};  // the keyword before the value, if any: "speed"

    std::string written() const {
        return statement.empty() ? std::string(value)
                                 : std::string(statement) + " " + std::string(value);
    }
};

constexpr keyword option(std::uint32_t bit, int value, int statement = -1) {
    return {bit, companion::long_form(value), companion::long_form(statement)};
}

inline constexpr keyword kDistributions[] = {
    option(ZLM_ROUNDROBIN, ROUNDROBIN), option(ZLM_DSTROUTE, DSTROUTE),
    option(ZLM_FALLOVER, FALLOVER), option(ZLM_SPILLOVER, SPILLOVER), option(ZLM_DYMXOR, DYMXOR)};
inline constexpr keyword kRoles[] = {option(ZLS_TRUNK, TRUNK), option(ZLS_STANDBY, STANDBY)};
inline constexpr keyword kAddresses[] = {option(ZLS_SAMEADDR, SAMEADDR),
                                         option(ZLS_DIFFADDR, DIFFADDR)};
inline constexpr keyword kSpeeds[] = {option(ZLS_100BT, S100BT, SPEED),
                                      option(ZLS_10BT, S10BT, SPEED),
                                      option(ZLS_AUTO, SAUTO, SPEED)};
inline constexpr keyword kDuplexes[] = {option(ZLS_FULLDUX, FULLDUX, DUPLEX),
                                        option(ZLS_HALFDUX, HALFDUX, DUPLEX)};

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
