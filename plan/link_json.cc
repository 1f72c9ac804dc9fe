#include "plan/link_json.h"

#include "model/number_text.h"
#include "plan/bit_names.h"

namespace plan {

using json = nlohmann::ordered_json;

json word_json(std::uint32_t value, const std::vector<std::string>& names) {
    return {{"value", value}, {"hex", model::hex32(value)}, {"bits", names}};
}

json link_json(const link_snapshot& link) {
    json segments = json::array();
    for (const segment_snapshot& s : link.segments) {
        segments.push_back({{"name", s.name},
                            {"speed", s.speed},
                            {"duplex", s.duplex},
                            {"state", word_json(s.state, state_bits(s.state))}});
    }
    json entries = json::array();
    for (const entry_snapshot& e : link.entries) {
        entries.push_back({{"eaddr", model::ether_address_text(e.address)},
                           {"interface", e.ifname},
                           {"installed", e.installed}});
    }
    return {{"name", link.name},
            {"mode", word_json(link.mode, mode_bits(link.mode))},
            {"segments", segments},
            {"table_lookup", entries}};
}

json link_json(const model::link_state& link) {
    link_snapshot read{link.record_name, link.mode | ZLM_EXISTS, {}, {}};
    for (const model::segment_state& s : link.segments) {
        read.segments.push_back({s.name, s.speed, s.duplex, s.state | ZLS_EXISTS});
    }
    for (const model::lookup_entry& e : link.entries) {
        read.entries.push_back({e.address, e.ifname, true});
    }
    return link_json(read);
}

}  // namespace plan
