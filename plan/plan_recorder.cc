#include "plan/plan_recorder.h"

namespace plan {

// The link is opened and read inside zlconf's operation, which ends the run
// when that fails; the plan already names the link by then.
void plan_recorder::set_linkname(const char* name) {
    plan_.links.push_back({});
    plan_.links.back().device = name;
    plan_.links.back().at = here();
    zlconf_.set_linkname(name);

    link_plan& link = plan_.links.back();
    const link_visit* visit = device_.last_visit();
    link.read_done = true;
    link.predicted = visit->predicted;
    link.found = visit->found;
    link.reads = visit->reads;
    link.read = snapshot_of_zl();
}

void plan_recorder::link_opt_dumpinfo() {
    plan_.links.back().dumpinfos.push_back({here(), snapshot_of_zl()});
}

void plan_recorder::close_link() {
    link_plan& link = plan_.links.back();
    link.end = here();
    zlconf_.close_link();
    const link_visit* visit = device_.last_visit();
    link.committed = true;
    link.requests = visit->requests;
    link.after = visit->after;
}

}  // namespace plan
