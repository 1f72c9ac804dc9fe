#include "plan/plan_recorder.h"

#include <algorithm>
#include <cstring>

#include "model/number_text.h"

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
    if (!link.found && !link.predicted && !means_no_such_link(link.not_found_error)) {
        warn(link.at, std::string("ZLIOGLINK failed: ") + std::strerror(link.not_found_error) +
                          "; zlconf takes that as no such link and creates " + link.device +
                          " at its end");
    }
}

void plan_recorder::warn(const source_point& at, const std::string& text) {
    ++plan_.warnings;
    out_.warning(plan_, {at, text});
}

// The block's own entries are those not read from the driver, in the order
// of its statements. None matters for a link the block deletes.
void plan_recorder::check_entries() {
    const link_snapshot link = snapshot_of(*zlconf_.zl);
    if ((link.mode & ZLM_DELETE) != 0) return;
    std::vector<const entry_snapshot*> added;
    for (const entry_snapshot& e : link.entries) {
        if (!e.installed) added.push_back(&e);
    }
    for (std::size_t i = 0; i < added.size() && i < entry_points_.size(); ++i) {
        const entry_snapshot& e = *added[i];
        const std::string address = model::ether_address_text(e.address);
        const auto member =
            std::find_if(link.segments.begin(), link.segments.end(),
                         [&](const segment_snapshot& s) { return s.name == e.ifname; });
        if (member == link.segments.end()) {
            warn(entry_points_[i], "table-lookup entry " + address + " names " + e.ifname +
                                       ", which is not a member of " + plan_.block->device);
        } else if ((member->state & ZLS_DELETE) != 0) {
            warn(entry_points_[i], "table-lookup entry " + address + " names " + e.ifname +
                                       ", which this block deletes");
        }
        const auto same = [&](const entry_snapshot* other) { return other->address == e.address; };
        if (std::any_of(added.begin(), added.begin() + static_cast<std::ptrdiff_t>(i), same)) {
            warn(entry_points_[i], "address " + address + " is given twice in this block");
        }
        for (const entry_snapshot& held : link.entries) {
            if (held.installed && held.address == e.address && held.ifname == e.ifname) {
                warn(entry_points_[i], "the driver already holds " + address + " → " + e.ifname);
                break;
            }
        }
    }
}

void plan_recorder::link_opt_dumpinfo() {
    plan_.block->dumpinfos.push_back({here(), snapshot_of(*zlconf_.zl)});
}

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
    if (!link.changes.empty()) ++plan_.changing;
    out_.link(plan_, link);
    ++plan_.committed;
    plan_.requests += link.sent;
    plan_.block.reset();
}

}  // namespace plan
