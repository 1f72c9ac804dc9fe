#include "plan/link_changes.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <span>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "config/option_groups.h"
#include "model/name_text.h"
#include "model/number_text.h"

namespace plan {

namespace {

using model::link_state;
using model::lookup_entry;
using model::segment_state;

// A link's mode in the words that set it: its distribution, and table lookup.
constexpr option_keyword kTableLookup[] = {option(ZLM_TBLLOOKUP, TBLLOOKUP)};
constexpr std::span<const option_keyword> kModeGroups[] = {kDistributions, kTableLookup};

// A segment's state in the words that set it, one aspect each, so that a
// change names only the aspect that changed.
constexpr std::span<const option_keyword> kSegmentAspects[] = {kRoles, kSpeeds, kDuplexes,
                                                               kAddresses};

std::string mode_words(std::uint32_t mode) {
    std::string out;
    for (const std::span<const option_keyword> group : kModeGroups) {
        for (const option_keyword& b : group) {
            if ((mode & b.bit) == 0) continue;
            if (!out.empty()) out += '+';
            out += b.value;
        }
    }
    return out.empty() ? std::string("none") : out;
}

std::string aspect_words(std::uint32_t state, std::span<const option_keyword> aspect) {
    std::string out;
    for (const option_keyword& b : aspect) {
        if ((state & b.bit) == 0) continue;
        if (!out.empty()) out += '+';
        out += b.value;
    }
    return out;
}

// "(trunk, 100bt full)": the address only when it is not the usual sameaddr.
std::string segment_words(std::uint32_t state) {
    std::string out = aspect_words(state, kSegmentAspects[0]);
    std::string figures = aspect_words(state, kSegmentAspects[1]);
    const std::string duplex = aspect_words(state, kSegmentAspects[2]);
    if (!duplex.empty()) figures += (figures.empty() ? "" : " ") + duplex;
    for (const std::string& more :
         {figures, std::string((state & ZLS_DIFFADDR) ? "diffaddr" : "")}) {
        if (more.empty()) continue;
        out += (out.empty() ? "" : ", ") + more;
    }
    return out.empty() ? std::string() : " (" + out + ")";
}

// "ce1 trunk → standby, 10bt": an aspect newly set is named alone, one
// cleared as "no 10bt".
std::string segment_change(const segment_state& was, const segment_state& is) {
    std::string out;
    for (const std::span<const option_keyword> aspect : kSegmentAspects) {
        const std::string before = aspect_words(was.state, aspect);
        const std::string after = aspect_words(is.state, aspect);
        if (before == after) continue;
        out += out.empty() ? model::name_for_display(is.name) + " " : ", ";
        if (before.empty()) {
            out += after;
        } else if (after.empty()) {
            out.append("no ").append(before);
        } else {
            out.append(before).append(arrow()).append(after);
        }
    }
    return out;
}

std::uint64_t address_key(const std::array<std::uint8_t, kEtherAddrLen>& address) {
    std::uint64_t key = 0;
    for (const std::uint8_t byte : address) key = key << 8 | byte;
    return key;
}

// A link's segments by name and entries by address, first of each: a link
// may hold thousands, and a block is compared whole.
struct link_index {
    explicit link_index(const link_state& link) {
        segments.reserve(link.segments.size());
        entries.reserve(link.entries.size());
        for (const segment_state& s : link.segments) segments.emplace(s.name, &s);
        for (const lookup_entry& e : link.entries) entries.emplace(address_key(e.address), &e);
    }
    const segment_state* segment(std::string_view name) const {
        const auto found = segments.find(name);
        return found == segments.end() ? nullptr : found->second;
    }
    const lookup_entry* entry(const lookup_entry& like) const {
        const auto found = entries.find(address_key(like.address));
        return found == entries.end() ? nullptr : found->second;
    }

    std::unordered_map<std::string_view, const segment_state*> segments;
    std::unordered_map<std::uint64_t, const lookup_entry*> entries;
};

}  // namespace

std::vector<std::string> link_changes(const std::optional<link_state>& before,
                                      const std::optional<link_state>& after) {
    std::vector<std::string> out;
    if (!after) {
        if (before)
            out.push_back(std::string(minus()) + "link " +
                          model::name_for_display(before->record_name));
        return out;
    }
    const link_state empty;
    const link_state& was = before ? *before : empty;
    const link_index old_index(was);
    const link_index new_index(*after);
    if (!before) {
        out.push_back("+ link " + model::name_for_display(after->record_name) + " (" +
                      mode_words(after->mode) + ")");
    } else if (mode_words(was.mode) != mode_words(after->mode)) {
        out.push_back("mode " + mode_words(was.mode) + arrow() + mode_words(after->mode));
    }
    for (const segment_state& s : after->segments) {
        const segment_state* old = old_index.segment(s.name);
        if (old == nullptr) {
            out.push_back("+ " + model::name_for_display(s.name) + segment_words(s.state));
        } else if (std::string change = segment_change(*old, s); !change.empty()) {
            out.push_back(std::move(change));
        }
    }
    for (const segment_state& s : was.segments) {
        if (new_index.segment(s.name) == nullptr) {
            out.push_back(std::string(minus()) + model::name_for_display(s.name));
        }
    }
    for (const lookup_entry& e : after->entries) {
        const lookup_entry* old = old_index.entry(e);
        const std::string address = model::ether_address_text(e.address);
        if (old == nullptr) {
            out.push_back("+ " + address + arrow() + model::name_for_display(e.ifname));
        } else if (old->ifname != e.ifname) {
            out.push_back(address + " " + model::name_for_display(old->ifname) + arrow() +
                          model::name_for_display(e.ifname));
        }
    }
    for (const lookup_entry& e : was.entries) {
        if (new_index.entry(e) == nullptr) {
            out.push_back(std::string(minus()) + model::ether_address_text(e.address));
        }
    }
    return out;
}

std::string changes_text(const std::vector<std::string>& changes,
                         const std::vector<std::string>& on_the_way) {
    if (changes.empty() && on_the_way.empty()) return "no change";
    if (changes.empty()) {
        std::string out = "no change in the end;";
        for (std::size_t i = 0; i < on_the_way.size(); ++i) {
            out += i == 0 ? " " : i + 1 == on_the_way.size() ? " and " : ", ";
            out += on_the_way[i];
        }
        return out + " on the way";
    }
    std::string out;
    for (const std::string& c : changes) out += (out.empty() ? "" : "; ") + c;
    return out;
}

namespace {

bool utf8_locale() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == '\0') continue;
        std::string lower(value);
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return lower.find("utf-8") != std::string::npos || lower.find("utf8") != std::string::npos;
    }
    return false;
}

}  // namespace

const char* arrow() {
    return utf8_locale() ? " \u2192 " : " -> ";
}

const char* minus() {
    return utf8_locale() ? "\u2212 " : "- ";
}

}  // namespace plan
