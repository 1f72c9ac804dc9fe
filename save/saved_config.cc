#include "save/saved_config.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "companion/link_json.h"
#include "config/option_groups.h"
#include "config/tokens.h"
#include "config/word_tokens.h"
#include "model/name_text.h"
#include "model/number_text.h"
#include "report/link_report.h"

namespace save {

namespace {

using keyword = option_keyword;

// Bits a built link or segment holds whatever its statements: the driver's
// mark that it exists, and for a link the mark every new link gets.
constexpr std::uint32_t kLinkGiven = ZLM_EXISTS | ZLM_NEW;
constexpr std::uint32_t kSegmentGiven = ZLS_EXISTS;

struct word_writer {
    std::uint32_t word;
    std::string& out;
    std::vector<std::string>& problems;

    // Writes the group's keyword. A group must hold one bit, or none when a
    // built object may lack it; anything else no statement makes.
    template <std::size_t N>
    void choose(const keyword (&group)[N], bool one_needed, const char* what) {
        const std::uint32_t bits = word & group_of(group);
        if (std::popcount(bits) == 1) {
            for (const keyword& k : group) {
                if (k.bit == bits) out += " " + k.written();
            }
        } else if (bits != 0 || one_needed) {
            problems.push_back(std::string(bits == 0 ? "no " : "more than one ") + what + " bit (" +
                               model::hex32(bits) + ")");
        }
    }
};

void warn(std::vector<std::string>& warnings, const std::string& where,
          const std::vector<std::string>& problems) {
    for (const std::string& p : problems) {
        std::string line = where;
        line.append(": ").append(p).append("; not saved");
        warnings.push_back(std::move(line));
    }
}

std::string segment_line(const std::string& device, const segment_snapshot& seg,
                         std::vector<std::string>& warnings) {
    const std::string where = device + ": segment " + model::name_for_display(seg.name);
    if (!reads_as(seg.name, INTERFACENAME)) {
        warnings.push_back(where + ": not an interface name a file can give; segment not saved");
        return {};
    }
    std::string line = "  seg " + seg.name;
    std::vector<std::string> problems;
    word_writer w{seg.state, line, problems};
    w.choose(kRoles, true, "role");
    w.choose(kAddresses, true, "address");
    w.choose(kSpeeds, false, "speed");
    w.choose(kDuplexes, false, "duplex");
    const std::uint32_t known = kSegmentGiven | group_of(kRoles) | group_of(kAddresses) |
                                group_of(kSpeeds) | group_of(kDuplexes);
    if (const std::uint32_t other = seg.state & ~known; other != 0) {
        problems.push_back("state bits no statement sets: " +
                           companion::word_text(other, state_bits(other)));
    }
    warn(warnings, where, problems);
    return line + " end\n";
}

std::string entry_line(const std::string& device, const entry_snapshot& entry,
                       std::vector<std::string>& warnings) {
    const std::string address = model::ether_address_text(entry.address);
    if (!reads_as(entry.ifname, INTERFACENAME)) {
        warnings.push_back(device + ": table lookup " + address +
                           ": not an interface name a file can give; entry not saved");
        return {};
    }
    return "  tl " + address + " " + entry.ifname + "\n";
}

}  // namespace

std::string saved_link(const std::string& device, const link_snapshot& link,
                       std::vector<std::string>& warnings) {
    std::string out = "zl " + device + " delete end\nzl " + device + "\n";
    if (link.name != device) {
        warnings.push_back(device + ": the driver names the link \"" +
                           model::name_for_display(link.name) +
                           "\"; a new link takes its device's name");
    }
    std::string mode_line;
    std::vector<std::string> problems;
    word_writer w{link.mode, mode_line, problems};
    w.choose(kDistributions, true, "distribution");
    if ((link.mode & ZLM_NEW) == 0)
        problems.emplace_back("mode lacks NEW, which every new link has");
    const bool lookup = (link.mode & ZLM_TBLLOOKUP) != 0;
    if (lookup != !link.entries.empty()) {
        problems.emplace_back(lookup ? "mode has TBLLOOKUP without a table-lookup entry"
                                     : "table-lookup entries without TBLLOOKUP in the mode");
    }
    const std::uint32_t known = kLinkGiven | group_of(kDistributions) | ZLM_TBLLOOKUP;
    if (const std::uint32_t other = link.mode & ~known; other != 0) {
        problems.push_back("mode bits no statement sets: " +
                           companion::word_text(other, mode_bits(other)));
    }
    warn(warnings, device, problems);
    if (!mode_line.empty()) out += " " + mode_line + "\n";
    for (const segment_snapshot& seg : link.segments) {
        out += segment_line(device, seg, warnings);
    }
    for (std::size_t i = 0; i < link.entries.size(); ++i) {
        const entry_snapshot& entry = link.entries[i];
        const auto later = std::find_if(
            link.entries.begin() + static_cast<std::ptrdiff_t>(i) + 1, link.entries.end(),
            [&entry](const entry_snapshot& e) { return e.address == entry.address; });
        if (later != link.entries.end()) {
            warnings.push_back(device + ": table lookup " +
                               model::ether_address_text(entry.address) +
                               " is held twice; a driver that keeps one member per address "
                               "keeps the last");
        }
        out += entry_line(device, entry, warnings);
    }
    return out + "end\n";
}

std::string absent_link(const std::string& device) {
    return "zl " + device + " delete end\n";
}

}  // namespace save
