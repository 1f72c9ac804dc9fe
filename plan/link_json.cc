#include "plan/link_json.h"

#include "link/bit_names.h"
#include "model/number_text.h"

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

}  // namespace plan
