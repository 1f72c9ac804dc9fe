#include "sim/state_report.h"

#include "plan/link_snapshot.h"

namespace sim {

std::string dumpinfo_of_state(const standin::driver_state& state) {
    std::string out;
    for (const auto& [device, link] : state) {
        plan::link_snapshot snapshot;
        snapshot.name = link.record_name;
        snapshot.mode = link.mode | ZLM_EXISTS;
        for (const standin::segment_state& s : link.segments) {
            snapshot.segments.push_back({s.name, s.speed, s.duplex, s.state | ZLS_EXISTS});
        }
        for (const standin::lookup_entry& e : link.entries) {
            snapshot.entries.push_back({e.address, e.ifname, true});
        }
        out += plan::dumpinfo_text(snapshot);
    }
    return out;
}

}  // namespace sim
