#include "sim/state_report.h"

#include "model/name_text.h"
#include "plan/link_snapshot.h"
#include "report/link_report.h"

namespace sim {

std::string dumpinfo_of_state(const model::driver_state& state) {
    std::string out;
    for (const auto& [device, link] : state) {
        out += link_report(plan::snapshot_as_read(link),
                           {model::name_for_display, report_form::named_bits});
    }
    return out;
}

}  // namespace sim
