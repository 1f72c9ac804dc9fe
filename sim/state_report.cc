#include "sim/state_report.h"

#include "link/link_report.h"
#include "model/name_text.h"
#include "plan/link_json.h"
#include "plan/link_snapshot.h"

namespace sim {

std::string dumpinfo_of_state(const model::driver_state& state) {
    std::string out;
    for (const auto& [device, link] : state) {
        out += link_report(plan::snapshot_as_read(link),
                           {model::name_for_display, report_form::named_bits});
    }
    return out;
}

std::string json_of_state(const model::driver_state& state) {
    nlohmann::ordered_json links = nlohmann::ordered_json::array();
    for (const auto& [device, link] : state) {
        links.push_back(
            {{"link", device}, {"state", plan::link_json(plan::snapshot_as_read(link))}});
    }
    const nlohmann::ordered_json out = {{"schema", plan::kJsonSchema}, {"links", links}};
    // A name the driver wrote need not be UTF-8; its bytes are replaced, not refused.
    return out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace sim
