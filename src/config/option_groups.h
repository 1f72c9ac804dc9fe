// The options that statements set, in groups of which a link or a segment
// holds one bit each, with the keywords that write them: zlconf's operations
// clear a group by it, zlsave's writer and zlapply's undo write the
// statements, and zlplan's change summary names them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "keywords.h"
#include "records.h"

/// An option's bit and the statement that sets it.
struct option_keyword {
    std::uint32_t bit;
    std::string_view value;           // "trunk", "100bt"
    std::string_view statement = {};  // the keyword before the value, if any: "speed"

    std::string written() const {
        return statement.empty() ? std::string(value)
                                 : std::string(statement) + " " + std::string(value);
    }
};

constexpr option_keyword option(std::uint32_t bit, int value, int statement = -1) {
    return {bit, long_form(value), long_form(statement)};
}

// The link's distribution, then a segment's role, address, speed and duplex.
inline constexpr option_keyword kDistributions[] = {
    option(ZLM_DYMXOR, DYMXOR), option(ZLM_ROUNDROBIN, ROUNDROBIN), option(ZLM_DSTROUTE, DSTROUTE),
    option(ZLM_FALLOVER, FALLOVER), option(ZLM_SPILLOVER, SPILLOVER)};
inline constexpr option_keyword kRoles[] = {option(ZLS_TRUNK, TRUNK), option(ZLS_STANDBY, STANDBY)};
inline constexpr option_keyword kAddresses[] = {option(ZLS_SAMEADDR, SAMEADDR),
                                                option(ZLS_DIFFADDR, DIFFADDR)};
inline constexpr option_keyword kSpeeds[] = {option(ZLS_100BT, S100BT, SPEED),
                                             option(ZLS_10BT, S10BT, SPEED),
                                             option(ZLS_AUTO, SAUTO, SPEED)};
inline constexpr option_keyword kDuplexes[] = {option(ZLS_FULLDUX, FULLDUX, DUPLEX),
                                               option(ZLS_HALFDUX, HALFDUX, DUPLEX)};

/// Every bit of a group.
template <std::size_t N>
constexpr std::uint32_t group_of(const option_keyword (&group)[N]) {
    std::uint32_t bits = 0;
    for (const option_keyword& k : group) bits |= k.bit;
    return bits;
}

// The driver's mask of the distributions is the group's own.
static_assert(group_of(kDistributions) == ZLM_DISTMASK);
