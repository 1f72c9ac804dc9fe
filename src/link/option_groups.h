// The options of a link and of a segment, in groups of bits of which a
// statement chooses one, each bit with the statement that sets it. zlconf's
// operations clear a group by it; the companions that write or describe
// statements read the same words.
#pragma once

#include <cstddef>
#include <cstdint>

#include "records.h"

struct option_keyword {
    std::uint32_t bit;
    const char* word;  // the statement, in its long form
};

inline constexpr option_keyword kDistributions[] = {{ZLM_ROUNDROBIN, "roundrobin"},
                                                    {ZLM_DSTROUTE, "dstroute"},
                                                    {ZLM_FALLOVER, "fallover"},
                                                    {ZLM_SPILLOVER, "spillover"},
                                                    {ZLM_DYMXOR, "dynamic"}};
inline constexpr option_keyword kRoles[] = {{ZLS_TRUNK, "trunk"}, {ZLS_STANDBY, "standby"}};
inline constexpr option_keyword kAddresses[] = {{ZLS_SAMEADDR, "sameaddr"},
                                                {ZLS_DIFFADDR, "diffaddr"}};
inline constexpr option_keyword kSpeeds[] = {
    {ZLS_100BT, "speed 100bt"}, {ZLS_10BT, "speed 10bt"}, {ZLS_AUTO, "speed auto"}};
inline constexpr option_keyword kDuplexes[] = {{ZLS_FULLDUX, "duplex full"},
                                               {ZLS_HALFDUX, "duplex half"}};

/// Every bit of a group.
template <std::size_t N>
constexpr std::uint32_t group_of(const option_keyword (&group)[N]) {
    std::uint32_t bits = 0;
    for (const option_keyword& k : group) bits |= k.bit;
    return bits;
}

// The driver's mask of the distributions is the group's own.
static_assert(group_of(kDistributions) == ZLM_DISTMASK);
