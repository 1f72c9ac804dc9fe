// A link as DUMPINFO reports it, one line each for the link and its segments,
// then its table-lookup entries:
//
//   Zelnar zl0   mode 0x00000111
//     Segment ce0 speed 100 duplex 2 state 0x00011111
//   Table Lookup addresses
//     02:00:00:00:00:01	Link ce0
//
// zlconf prints it as it is; its companions escape names, name bits and
// indent it within their own reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_snapshot.h"

enum class report_form {
    dumpinfo,    // DUMPINFO's lines
    named_bits,  // each word followed by its bits' names: "mode 0x00000011 (ROUNDROBIN|EXISTS)"
    outline,     // the same names after two spaces, the table within the link and its
                 // addresses followed by two spaces rather than a tab
};

struct report_style {
    std::string (*escape)(std::string_view name) = nullptr;  // null: a name's bytes as they are
    report_form form = report_form::dumpinfo;
    const char* indent = "";  // before every line
    bool speeds = true;       // whether a segment's line shows its speed and duplex
};

std::string link_report(const link_snapshot& link, const report_style& style);

/// The bits of a link's mode and a segment's state by name, highest bit first
/// ("NEW|SAMEADDR|TRUNK"). A bit without a name, one of the driver's own,
/// appears as its value ("0x40000000").
std::vector<std::string> mode_bits(std::uint32_t mode);
std::vector<std::string> state_bits(std::uint32_t state);

/// The names joined by '|'; empty for 0.
std::string joined_bits(const std::vector<std::string>& names);
