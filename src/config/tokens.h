// The token codes that the lexer hands the parser.
#pragma once

#include <cstdint>

enum token : int {
    END_OF_INPUT = 0,
    LINKNAME = 257,
    INTERFACENAME,
    DSTROUTE,
    FALLOVER,
    ROUNDROBIN,
    SPILLOVER,
    DUMPINFO,
    DYMXOR,
    ADD,
    DELETE,
    SAMEADDR,
    DIFFADDR,
    STANDBY,
    TRUNK,
    TBLLOOKUP,
    S100BT,
    S10BT,
    SAUTO,
    HALFDUX,
    FULLDUX,
    SPEED,
    DUPLEX,
    ZELNAR,
    SEGMENT,
    END,
    HEX,
    COLON,
};
static_assert(INTERFACENAME == 258 && DUMPINFO == 263 && TBLLOOKUP == 271 && SPEED == 277);
static_assert(ZELNAR == 279 && END == 281 && COLON == 283);

/// What a token carries: the text of a name, the number of a HEX token, the
/// code of a keyword, or ':' for COLON.
struct token_value {
    std::int32_t number = 0;
    const char* text = nullptr;
};

/// The token's name as written in the grammar, for tests and diagnostics.
inline const char* token_name(int code) {
    // Characters rather than pointers, so that the table needs no relocation.
    static constexpr char kNames[][14] = {
        "LINKNAME",  "INTERFACENAME", "DSTROUTE", "FALLOVER", "ROUNDROBIN", "SPILLOVER", "DUMPINFO",
        "DYMXOR",    "ADD",           "DELETE",   "SAMEADDR", "DIFFADDR",   "STANDBY",   "TRUNK",
        "TBLLOOKUP", "S100BT",        "S10BT",    "SAUTO",    "HALFDUX",    "FULLDUX",   "SPEED",
        "DUPLEX",    "ZELNAR",        "SEGMENT",  "END",      "HEX",        "COLON"};
    if (code == END_OF_INPUT) return "end of input";
    if (code < LINKNAME || code > COLON) return "?";
    return kNames[code - LINKNAME];
}
