#include "companion/link_json.h"

#include "model/number_text.h"
#include "report/link_report.h"

namespace companion {

using json = nlohmann::ordered_json;

json word_json(std::uint32_t value, const std::vector<std::string>& names) {
    return {{"value", value}, {"hex", model::hex32(value)}, {"bits", names}};
}

std::string word_text(std::uint32_t value, const std::vector<std::string>& names) {
    const std::string hex = model::hex32(value);
    return names.empty() ? hex : hex + " (" + joined_bits(names) + ")";
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

std::string json_of_state(const model::driver_state& state) {
    nlohmann::ordered_json links = nlohmann::ordered_json::array();
    for (const auto& [device, link] : state) {
        links.push_back({{"link", device}, {"state", link_json(model::snapshot_as_read(link))}});
    }
    const nlohmann::ordered_json out = {{"schema", kJsonSchema}, {"links", links}};
    // A name the driver wrote need not be UTF-8; its bytes are replaced, not refused.
    return out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace companion
