#include "apply/link_compare.h"

#include <algorithm>
#include <cstdint>
#include <map>

#include "companion/link_json.h"
#include "model/name_text.h"
#include "model/number_text.h"
#include "records.h"
#include "report/link_report.h"

namespace apply {

namespace {

constexpr std::uint32_t kModeSet = ZLM_DISTMASK | ZLM_TBLLOOKUP;
constexpr std::uint32_t kStateSet = ZLS_TRUNK | ZLS_STANDBY | ZLS_SAMEADDR | ZLS_DIFFADDR |
                                    ZLS_FULLDUX | ZLS_HALFDUX | ZLS_100BT | ZLS_10BT | ZLS_AUTO;

std::string word(std::uint32_t value, std::vector<std::string> (*bits)(std::uint32_t)) {
    return companion::word_text(value, bits(value));
}

std::string name(const std::string& text) {
    return model::name_for_display(text);
}

std::string names_of(const std::vector<segment_snapshot>& segments) {
    std::string out;
    for (const segment_snapshot& s : segments) out += (out.empty() ? "" : " ") + name(s.name);
    return out.empty() ? "none" : out;
}

std::string entry_text(const entry_snapshot& e) {
    return model::ether_address_text(e.address) + " → " + name(e.ifname);
}

std::string entries_of(const std::vector<entry_snapshot>& entries) {
    std::string out;
    for (const entry_snapshot& e : entries) out += (out.empty() ? "" : ", ") + entry_text(e);
    return out.empty() ? "none" : out;
}

const segment_snapshot* segment_named(const link_snapshot& link, const std::string& wanted) {
    const auto found = std::find_if(link.segments.begin(), link.segments.end(),
                                    [&](const segment_snapshot& s) { return s.name == wanted; });
    return found == link.segments.end() ? nullptr : &*found;
}

void compare_segments(const link_snapshot& read, const link_snapshot& wanted, std::uint32_t mask,
                      std::vector<std::string>& out) {
    for (const segment_snapshot& w : wanted.segments) {
        const segment_snapshot* r = segment_named(read, w.name);
        if (r == nullptr) {
            out.push_back("segment " + name(w.name) + " is missing");
        } else if ((r->state & mask) != (w.state & mask)) {
            out.push_back("segment " + name(w.name) + " state " +
                          word(r->state & mask, state_bits) + ", not " +
                          word(w.state & mask, state_bits));
        }
    }
    for (const segment_snapshot& r : read.segments) {
        if (segment_named(wanted, r.name) == nullptr) {
            out.push_back("segment " + name(r.name) + " should not be there");
        }
    }
}

// Where each address goes; the last entry for an address wins, as in a
// driver that keeps one member per address.
std::map<std::array<std::uint8_t, kEtherAddrLen>, std::string> lookup_of(const link_snapshot& l) {
    std::map<std::array<std::uint8_t, kEtherAddrLen>, std::string> table;
    for (const entry_snapshot& e : l.entries) table[e.address] = e.ifname;
    return table;
}

void compare_lookup(const link_snapshot& read, const link_snapshot& wanted,
                    std::vector<std::string>& out) {
    const auto r = lookup_of(read);
    const auto w = lookup_of(wanted);
    for (const auto& [address, ifname] : w) {
        const auto held = r.find(address);
        const std::string a = model::ether_address_text(address);
        if (held == r.end()) {
            out.push_back("table lookup " + a + " is missing");
        } else if (held->second != ifname) {
            out.push_back("table lookup " + a + " → " + name(held->second) + ", not → " +
                          name(ifname));
        }
    }
    for (const auto& [address, ifname] : r) {
        if (!w.contains(address)) {
            out.push_back("table lookup " + model::ether_address_text(address) + " → " +
                          name(ifname) + " should not be there");
        }
    }
}

}  // namespace

std::vector<std::string> differences(const std::optional<link_snapshot>& read,
                                     const std::optional<link_snapshot>& wanted, compared what) {
    if (!read && !wanted) return {};
    if (!read) return {"the driver does not hold the link"};
    if (!wanted) return {"the driver holds the link, which it should not"};
    std::vector<std::string> out;
    const bool all = what == compared::everything;
    if (all && read->name != wanted->name) {
        out.push_back("record name \"" + name(read->name) + "\", not \"" + name(wanted->name) +
                      "\"");
    }
    const std::uint32_t mode_mask = all ? ~ZLM_EXISTS : kModeSet;
    if ((read->mode & mode_mask) != (wanted->mode & mode_mask)) {
        out.push_back("mode " + word(read->mode & mode_mask, mode_bits) + ", not " +
                      word(wanted->mode & mode_mask, mode_bits));
    }
    compare_segments(*read, *wanted, all ? ~ZLS_EXISTS : kStateSet, out);
    if (all && out.empty()) {
        if (names_of(read->segments) != names_of(wanted->segments)) {
            out.push_back("segments in the order " + names_of(read->segments) + ", not " +
                          names_of(wanted->segments));
        }
    }
    if (!all) {
        compare_lookup(*read, *wanted, out);
    } else if (entries_of(read->entries) != entries_of(wanted->entries)) {
        out.push_back("table lookup " + entries_of(read->entries) + ", not " +
                      entries_of(wanted->entries));
    }
    return out;
}

std::string joined(const std::vector<std::string>& phrases) {
    std::string out;
    for (const std::string& p : phrases) out += (out.empty() ? "" : "; ") + p;
    return out;
}

}  // namespace apply
