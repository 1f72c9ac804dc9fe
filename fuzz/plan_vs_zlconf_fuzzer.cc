// Fuzzes zlplan against zlconf on the same driver state, the input choosing
// the configuration and the state (driver_script.h; its failures are left
// out, as a plan assumes that the driver accepts every change). Wherever the
// driver refuses nothing, the requests zlplan plans are, request for
// request, those zlconf sends; and zlplan stops where zlconf stops.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/byte_source.h"
#include "driver/requests.h"
#include "driver_script.h"
#include "fuzz_check.h"
#include "in_process_run.h"
#include "model/driver.h"
#include "model/model_device.h"
#include "model/request_record.h"
#include "plan/plan_run.h"

namespace {

struct sent {
    std::string device;
    std::uint32_t code;
    model::request_fields fields;
    bool operator==(const sent&) const = default;
};

bool is_read(unsigned long code) {
    return code == ZLIOGLINK || code == ZLIOGSEG || code == ZLIOGTL;
}

// Keeps every planned request of every block.
class planned_requests final : public plan::plan_output {
public:
    void begin(const plan::whole_plan&) override {}
    void link(const plan::whole_plan&, const plan::link_plan& link) override {
        for (const plan::recorded_request& r : link.requests) {
            requests.push_back({link.device, r.code, model::decode_fields(r.code, r.fields)});
        }
    }
    void ignored(const plan::whole_plan&, const plan::ignored_text&) override {}
    void warning(const plan::whole_plan&, const plan::plan_warning&) override {}
    void end(const plan::whole_plan&) override {}
    void fail(const plan::whole_plan&, const std::string&, int) override {}

    std::vector<sent> requests;
};

std::string described(const std::vector<sent>& requests) {
    std::string out;
    for (const sent& r : requests) out += r.device + " " + std::to_string(r.code) + "\n";
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const model::driver_state state = decode_driver_script(split_fuzz_input(input).second).state;

    model::model_device zlconf_driver(state);
    const in_process_result run = run_in_process(input, zlconf_driver);
    std::vector<sent> sent_by_zlconf;
    for (const model::request_record& r : run.log) {
        if (r.what != model::request_record::kind::request || is_read(r.code)) continue;
        // A refused change leaves the driver other than the plan assumes.
        if (r.error != 0) return 0;
        sent_by_zlconf.push_back({r.who, static_cast<std::uint32_t>(r.code),
                                  r.fields.value_or(model::request_fields{})});
    }

    plan::whole_plan plan;
    plan.input = "fuzz";
    plan.every_request = true;
    text_source bytes(input);
    model::unlogged_device plan_driver(state);
    planned_requests out;
    try {
        plan::make_plan(plan, bytes, plan_driver, out);
    } catch (const std::exception&) {
        fuzz_check(run.status != 0, "zlplan fails only where zlconf does");
        return 0;
    }
    fuzz_check(out.requests == sent_by_zlconf, "planned requests are those sent",
               "planned:\n" + described(out.requests) + "sent:\n" + described(sent_by_zlconf));
    fuzz_check((plan.status() == 1) == (run.status != 0), "zlplan stops where zlconf stops",
               std::to_string(run.status));
    return 0;
}
