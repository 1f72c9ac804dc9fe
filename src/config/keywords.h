// The keywords of the configuration language as they may be written. The
// lexer's rule table is built from this list, and the tests' reference scan
// reads it too.
#pragma once

#include <string_view>

#include "config/tokens.h"

struct keyword_form {
    token tok;
    std::string_view text;
};

// Every written form of every keyword; several keywords have short forms.
inline constexpr keyword_form kKeywordForms[] = {
    {DSTROUTE, "dstroute"},
    {DSTROUTE, "xor"},
    {DYMXOR, "dynamic"},
    {DYMXOR, "dym"},
    {FALLOVER, "fallover"},
    {FALLOVER, "fo"},
    {ROUNDROBIN, "roundrobin"},
    {ROUNDROBIN, "rr"},
    {SPILLOVER, "spillover"},
    {SPILLOVER, "so"},
    {DUMPINFO, "dumpinfo"},
    {DUMPINFO, "di"},
    {ADD, "add"},
    {ADD, "open"},
    {DELETE, "delete"},
    {DELETE, "del"},
    {DELETE, "close"},
    {SAMEADDR, "sameaddr"},
    {DIFFADDR, "diffaddr"},
    {TBLLOOKUP, "tablelookup"},
    {TBLLOOKUP, "tl"},
    {STANDBY, "standby"},
    {SPEED, "speed"},
    {DUPLEX, "duplex"},
    {S100BT, "100bt"},
    {S10BT, "10bt"},
    {SAUTO, "auto"},
    {HALFDUX, "half"},
    {FULLDUX, "full"},
    {TRUNK, "trunk"},
    {ZELNAR, "zelnar"},
    {ZELNAR, "zl"},
    {ZELNAR, "link"},
    {SEGMENT, "segment"},
    {SEGMENT, "seg"},
    {END, "end"},
};

/// A keyword's long form, the first of its forms above, as messages spell it;
/// empty for a token that is no keyword.
constexpr std::string_view long_form(int tok) {
    for (const keyword_form& form : kKeywordForms) {
        if (form.tok == tok) return form.text;
    }
    return {};
}
