#include "plan/plan_recorder.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "driver/link_driver.h"
#include "model/link_names.h"
#include "model/name_text.h"
#include "model/number_text.h"
#include "plan/link_changes.h"

namespace plan {

// The link is opened and read inside zlconf's operation, which ends the run
// when that fails; the plan already names the link by then. The description
// read is kept whole only when it comes from the driver (once per link) or
// when every request is asked for: a predicted link is what the plan has
// already shown.
void plan_recorder::set_linkname(const char* name) {
    link_plan& link = plan_.block.emplace();
    link.device = name;
    link.at = here();
    zlconf_.set_linkname(name);

    const link_visit* visit = device_.last_visit();
    link.read_done = true;
    link.predicted = visit->predicted;
    link.found = visit->found;
    link.not_found_error = visit->not_found_error;
    link.reads = visit->reads;
    if (!link.predicted || plan_.every_request) link.read = snapshot_of(*zlconf_.zl);
    entry_points_.clear();
    out_.link_read(plan_, link);
    if (!link.found && !link.predicted && !no_such_link(link.not_found_error)) {
        warn(link.at, std::string("ZLIOGLINK failed: ") + std::strerror(link.not_found_error) +
                          "; zlconf takes that as no such link and creates " + link.device +
                          " at its end");
    }
}

void plan_recorder::warn(const source_point& at, const std::string& text) {
    ++plan_.warnings;
    out_.warning(plan_, {at, text});
}

void plan_recorder::note(const source_point& at, const std::string& text) {
    out_.warning(plan_, {at, text, true});
}

namespace {

// An address as one number, for hashing.
std::uint64_t address_key(const std::array<std::uint8_t, kEtherAddrLen>& address) {
    std::uint64_t key = 0;
    for (const std::uint8_t byte : address) key = key << 8 | byte;
    return key;
}

}  // namespace

// The block's own entries are those not read from the driver, in the order
// of its statements. None matters for a link the block deletes. Each check
// is a look-up, so that a block of many entries costs what it holds.
void plan_recorder::check_entries() {
    if (entry_points_.empty()) return;
    const link_snapshot link = snapshot_of(*zlconf_.zl);
    if ((link.mode & ZLM_DELETE) != 0) return;
    std::unordered_map<std::string_view, const segment_snapshot*> members;
    for (const segment_snapshot& s : link.segments) members.emplace(s.name, &s);
    std::unordered_map<std::uint64_t, std::vector<std::string_view>> held;
    for (const entry_snapshot& e : link.entries) {
        if (e.installed) held[address_key(e.address)].push_back(e.ifname);
    }
    std::unordered_set<std::uint64_t> given;
    std::size_t i = 0;
    for (const entry_snapshot& e : link.entries) {
        if (e.installed) continue;
        if (i == entry_points_.size()) break;
        const source_point& at = entry_points_[i++];
        const std::string address = model::ether_address_text(e.address);
        const std::string ifname = model::name_for_display(e.ifname);
        std::string entry = "table-lookup entry ";
        entry.append(address).append(" names ").append(ifname);
        const auto member = members.find(e.ifname);
        if (member == members.end()) {
            warn(at, entry + ", which is not a member of " + plan_.block->device);
        } else if ((member->second->state & ZLS_DELETE) != 0) {
            warn(at, entry + ", which this block deletes");
        }
        const std::uint64_t key = address_key(e.address);
        if (!given.insert(key).second) {
            warn(at, "address " + address + " is given twice in this block");
        }
        if (const auto same = held.find(key);
            same != held.end() &&
            std::find(same->second.begin(), same->second.end(), e.ifname) != same->second.end()) {
            // Applying a file again is routine: the entry is sent and changes nothing.
            std::string held_text = "the driver already holds ";
            note(at, held_text.append(address).append(arrow()).append(ifname));
        }
    }
}

void plan_recorder::link_opt_dumpinfo() {
    ++plan_.block->dumpinfos;
    out_.dumpinfo(plan_, *plan_.block, {here(), snapshot_of(*zlconf_.zl)});
}

namespace {

// What a block that changes nothing in the end still sends: a link made and
// deleted, a segment removed and added back.
std::vector<std::string> on_the_way(const std::vector<recorded_request>& requests,
                                    const std::string& device) {
    bool created = false;
    bool deleted = false;
    std::vector<std::string> removed;
    std::vector<std::string> out;
    for (const recorded_request& r : requests) {
        const std::string name =
            model::name_for_display(model::interface_name_of(r.fields).value_or(std::string()));
        if (r.code == ZLIOCLINK) created = true;
        if (r.code == ZLIODLINK) deleted = true;
        if (r.code == ZLIODSEG) removed.push_back(name);
        if (r.code == ZLIOASEG && std::find(removed.begin(), removed.end(), name) != removed.end())
            out.push_back("deletes and re-adds " + name);
    }
    if (created && deleted) out.insert(out.begin(), "creates and deletes " + device);
    return out;
}

}  // namespace

void plan_recorder::close_link() {
    link_plan& link = *plan_.block;
    link.end = here();
    check_entries();
    zlconf_.close_link();
    const link_visit* visit = device_.last_visit();
    link.committed = true;
    link.requests = visit->requests;
    link.sent = visit->sent;
    link.unchanged = visit->unchanged;
    link.exists_after = visit->exists_after;
    link.segments_after = visit->segments_after;
    link.entries_after = visit->entries_after;
    link.after = visit->after;
    link.changes = visit->changes;
    if (link.changes.empty() && !plan_.states_only) {
        link.on_the_way = on_the_way(link.requests, link.device);
    }
    if (!link.changes.empty()) ++plan_.changing;
    out_.link(plan_, link);
    ++plan_.committed;
    plan_.requests += link.sent;
    plan_.block.reset();
}

}  // namespace plan
