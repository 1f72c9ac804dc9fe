#include "tokens.h"

const char* token_name(int code) {
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
