#include "apply/undo_statements.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <span>
#include <vector>

#include "config/option_groups.h"
#include "model/number_text.h"
#include "records.h"
#include "save/saved_config.h"

namespace apply {

namespace {

using keyword = option_keyword;

constexpr std::span<const keyword> kLinkGroups[] = {kDistributions};
constexpr std::span<const keyword> kSegmentGroups[] = {kRoles, kAddresses, kSpeeds, kDuplexes};

std::uint32_t bits_of(std::span<const keyword> group) {
    std::uint32_t bits = 0;
    for (const keyword& k : group) bits |= k.bit;
    return bits;
}

// The words that turn `now` into `wanted`, group by group: a statement sets
// one bit of its group and clears the others, so a group can be brought to
// one bit, never to none or several. Bits outside every group, but for
// `ignored`, no statement changes. Empty when no statements do it.
std::optional<std::string> words_for(std::uint32_t now, std::uint32_t wanted,
                                     std::span<const std::span<const keyword>> groups,
                                     std::uint32_t ignored) {
    std::string words;
    std::uint32_t grouped = ignored;
    for (const std::span<const keyword> group : groups) {
        const std::uint32_t mask = bits_of(group);
        grouped |= mask;
        if ((now & mask) == (wanted & mask)) continue;
        if (std::popcount(wanted & mask) != 1) return std::nullopt;
        for (const keyword& k : group) {
            if (k.bit == (wanted & mask)) words.append(" ").append(k.written());
        }
    }
    if ((now & ~grouped) != (wanted & ~grouped)) return std::nullopt;
    return words;
}

// A segment's statements when it is added afresh: it starts as every new
// segment does, and whatever cannot be set is the compare's to report.
std::string words_for_new(const segment_snapshot& saved) {
    const std::uint32_t fresh = kNewSegState & ~ZLS_NEW;
    std::string words;
    for (const std::span<const keyword> group : kSegmentGroups) {
        const std::uint32_t mask = bits_of(group);
        const std::uint32_t bits = saved.state & mask;
        if (bits == (fresh & mask) || std::popcount(bits) != 1) continue;
        for (const keyword& k : group) {
            if (k.bit == bits) words.append(" ").append(k.written());
        }
    }
    return words;
}

const segment_snapshot* named(const std::vector<segment_snapshot>& list, const std::string& n) {
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const segment_snapshot& s) { return s.name == n; });
    return found == list.end() ? nullptr : &*found;
}

std::optional<std::string> segment_words(const segment_snapshot& now,
                                         const segment_snapshot& saved) {
    return words_for(now.state, saved.state, kSegmentGroups, ZLS_EXISTS);
}

struct entry_plan {
    std::string statements;
    std::string impossible;  // why no statement brings the entries back
};

// Entries are only ever added or moved to another member, in place; one that
// is missing is added at the end.
entry_plan entries_back(const link_snapshot& now, const link_snapshot& saved) {
    entry_plan plan;
    for (const entry_snapshot& e : now.entries) {
        const bool kept =
            std::any_of(saved.entries.begin(), saved.entries.end(),
                        [&](const entry_snapshot& s) { return s.address == e.address; });
        if (!kept) {
            plan.impossible = "a table-lookup entry " + model::ether_address_text(e.address) +
                              " was added, which no statement removes";
            return plan;
        }
    }
    for (std::size_t i = 0; i < saved.entries.size(); ++i) {
        const entry_snapshot& s = saved.entries[i];
        if (i < now.entries.size()) {
            if (now.entries[i].address != s.address) {
                plan.impossible = "the table-lookup entries stand in another order";
                return plan;
            }
            if (now.entries[i].ifname == s.ifname) continue;
        }
        plan.statements += "  tl " + model::ether_address_text(s.address) + " " + s.ifname + "\n";
    }
    return plan;
}

std::string rebuilt(const std::string& device, const link_snapshot& saved, bool held_now) {
    std::vector<std::string> warnings;  // written out with the restore point already
    std::string text = save::saved_link(device, saved, warnings);
    const std::string deleting = save::absent_link(device);
    if (!held_now && text.starts_with(deleting)) text.erase(0, deleting.size());
    return text;
}

}  // namespace

link_undo undo_of(const std::string& device, const std::optional<link_snapshot>& now,
                  const std::optional<link_snapshot>& saved) {
    if (!saved) return {now ? save::absent_link(device) : std::string(), {}};
    if (!now) return {rebuilt(device, *saved, false), "the apply deleted it"};
    const auto rebuild = [&](std::string why) {
        return link_undo{rebuilt(device, *saved, true), std::move(why)};
    };

    const std::uint32_t kept_mode = ~(ZLM_EXISTS | ZLM_TBLLOOKUP);
    const std::optional<std::string> mode_words =
        words_for(now->mode & kept_mode, saved->mode & kept_mode, kLinkGroups, 0);
    if (!mode_words) return rebuild("its mode has bits that no statement sets back");
    if ((now->mode & ZLM_TBLLOOKUP) != 0 && (saved->mode & ZLM_TBLLOOKUP) == 0) {
        return rebuild("table lookup was turned on, which no statement turns off");
    }
    entry_plan entries = entries_back(*now, *saved);
    if (!entries.impossible.empty()) return rebuild(entries.impossible);
    if (entries.statements.empty() && (now->mode & ZLM_TBLLOOKUP) == 0 &&
        (saved->mode & ZLM_TBLLOOKUP) != 0 && !saved->entries.empty()) {
        const entry_snapshot& first = saved->entries.front();
        entries.statements =
            "  tl " + model::ether_address_text(first.address) + " " + first.ifname + "\n";
    }

    // The saved members that keep their place: the longest run from the
    // first that stands, in that order, among the members held now whose
    // settings statements can set back. Every other member held now is
    // removed, and the rest of the saved ones added after them, as a new
    // member goes last.
    std::vector<std::string> keep;
    std::size_t at = 0;
    for (const segment_snapshot& s : saved->segments) {
        while (at < now->segments.size() &&
               !(now->segments[at].name == s.name && segment_words(now->segments[at], s))) {
            ++at;
        }
        if (at == now->segments.size()) break;
        keep.push_back(s.name);
        ++at;
    }
    std::string first_block;
    bool readded = false;
    for (const segment_snapshot& n : now->segments) {
        if (std::find(keep.begin(), keep.end(), n.name) == keep.end()) {
            first_block += "  seg " + n.name + " delete ;\n";
            readded = readded || named(saved->segments, n.name) != nullptr;
        } else if (const std::string words = *segment_words(n, *named(saved->segments, n.name));
                   !words.empty()) {
            first_block += "  seg " + n.name + words + " ;\n";
        }
    }
    std::string added;
    for (std::size_t i = keep.size(); i < saved->segments.size(); ++i) {
        added += "  seg " + saved->segments[i].name + words_for_new(saved->segments[i]) + " ;\n";
    }
    if (!mode_words->empty()) first_block = " " + *mode_words + "\n" + first_block;
    // A member removed and added again needs two blocks: within one, the
    // second statement would find the member the first marked.
    std::string text;
    if (readded) {
        text = "zl " + device + "\n" + first_block + "end\nzl " + device + "\n" + added +
               entries.statements + "end\n";
    } else if (!(first_block + added + entries.statements).empty()) {
        text = "zl " + device + "\n" + first_block + added + entries.statements + "end\n";
    }
    return {text, {}};
}

}  // namespace apply
