#include "plan/plan_recorder.h"

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
    if (!link.predicted || plan_.every_request) link.read = snapshot_of_zl();
}

void plan_recorder::link_opt_dumpinfo() {
    plan_.block->dumpinfos.push_back({here(), snapshot_of_zl()});
}

void plan_recorder::close_link() {
    link_plan& link = *plan_.block;
    link.end = here();
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
    out_.link(plan_, link);
    ++plan_.committed;
    plan_.requests += link.sent;
    plan_.block.reset();
}

}  // namespace plan
