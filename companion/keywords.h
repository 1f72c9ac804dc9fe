// The keywords as the companions write them, taken from the language's own
// table: each keyword's forms, and the options a statement sets with the
// keywords that write them, in groups of which a link or segment holds one
// each. zlsave's writer and zlapply's undo write these statements, zlplan's
// change summary names them. Until the language's table marks its forms, a
// keyword's long form is the first it lists, and an abbreviation is two
// letters or the start of the long form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/keywords.h"
#include "records.h"

namespace companion {

/// The form that statements and messages write a keyword in: "delete" for
/// DELETE. Empty for a token that is no keyword.
constexpr std::string_view long_form(int token) {
    for (const keyword_form& k : kKeywordForms) {
        if (k.tok == token) return k.text;
    }
    return {};
}

/// Whether `form` shortens its keyword ("del", "tl"), rather than being it or
/// another word for it ("close", "xor").
constexpr bool is_abbreviation(const keyword_form& form) {
    const std::string_view whole = long_form(form.tok);
    return form.text.size() <= 2 || (form.text != whole && whole.starts_with(form.text));
}

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

}  // namespace companion
