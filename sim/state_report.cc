#include "sim/state_report.h"

#include <cstddef>

#include "plan/bit_names.h"
#include "plan/link_json.h"
#include "plan/link_snapshot.h"

namespace sim {

namespace {

plan::link_snapshot snapshot_of(const model::link_state& link) {
    plan::link_snapshot snapshot;
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

std::string named(std::uint32_t word, const std::vector<std::string>& names) {
    return word == 0 ? std::string() : " (" + plan::joined_bits(names) + ")";
}

// DUMPINFO's lines: the link's first, then one per segment, then the table.
std::string with_bit_names(const std::string& dumpinfo, const plan::link_snapshot& link) {
    std::string out;
    std::size_t line = 0;
    for (std::size_t start = 0; start < dumpinfo.size(); ++line) {
        std::size_t end = dumpinfo.find('\n', start);
        if (end == std::string::npos) end = dumpinfo.size();
        out.append(dumpinfo, start, end - start);
        if (line == 0) {
            out += named(link.mode, plan::mode_bits(link.mode));
        } else if (line <= link.segments.size()) {
            const std::uint32_t state = link.segments[line - 1].state;
            out += named(state, plan::state_bits(state));
        }
        out += '\n';
        start = end + 1;
    }
    return out;
}

}  // namespace

std::string dumpinfo_of_state(const model::driver_state& state) {
    std::string out;
    for (const auto& [device, link] : state) {
        const plan::link_snapshot snapshot = snapshot_of(link);
        out += with_bit_names(plan::dumpinfo_text(snapshot), snapshot);
    }
    return out;
}

std::string json_of_state(const model::driver_state& state) {
    nlohmann::ordered_json links = nlohmann::ordered_json::array();
    for (const auto& [device, link] : state) {
        links.push_back({{"link", device}, {"state", plan::link_json(snapshot_of(link))}});
    }
    const nlohmann::ordered_json out = {{"schema", plan::kJsonSchema}, {"links", links}};
    // A name the driver wrote need not be UTF-8; its bytes are replaced, not refused.
    return out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace sim
