#include "model/link_state.h"

namespace model {

link_snapshot snapshot_as_read(const link_state& link) {
    link_snapshot snapshot;
    snapshot.name = link.record_name;
    snapshot.mode = link.mode | ZLM_EXISTS;
    for (const segment_state& s : link.segments) {
        snapshot.segments.push_back({s.name, s.speed, s.duplex, s.state | ZLS_EXISTS});
    }
    for (const lookup_entry& e : link.entries) {
        snapshot.entries.push_back({e.address, e.ifname, true});
    }
    return snapshot;
}

link_state state_of_read(const link_snapshot& read) {
    link_state link;
    link.record_name = read.name;
    link.mode = read.mode & ~ZLM_EXISTS;
    for (const segment_snapshot& s : read.segments) {
        link.segments.push_back({s.name, s.speed, s.duplex, s.state & ~ZLS_EXISTS});
    }
    for (const entry_snapshot& e : read.entries) link.entries.push_back({e.address, e.ifname});
    return link;
}

}  // namespace model
