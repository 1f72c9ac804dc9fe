#include "plan/link_snapshot.h"

namespace plan {

link_snapshot snapshot_as_read(const model::link_state& link) {
    link_snapshot snapshot;
    snapshot.name = link.record_name;
    snapshot.mode = link.mode | ZLM_EXISTS;
    for (const model::segment_state& s : link.segments) {
        snapshot.segments.push_back({s.name, s.speed, s.duplex, s.state | ZLS_EXISTS});
    }
    for (const model::lookup_entry& e : link.entries) {
        snapshot.entries.push_back({e.address, e.ifname, true});
    }
    return snapshot;
}

}  // namespace plan
