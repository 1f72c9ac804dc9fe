#include "apply/check.h"

#include <algorithm>

#include "config/byte_source.h"
#include "plan/plan_output.h"
#include "plan/plan_run.h"
#include "plan/text_report.h"

namespace apply {

namespace {

// Keeps of the plan what the apply needs, and writes its diagnostics as
// zlplan's text report does; the plan itself is not printed.
class check_output final : public plan::plan_output {
public:
    check_output(check_result& result, std::FILE* diagnostics)
        : result_(result), diagnostics_(diagnostics) {}

    void begin(const plan::whole_plan&) override {}
    void link(const plan::whole_plan&, const plan::link_plan& link) override {
        if (std::find(result_.links.begin(), result_.links.end(), link.device) ==
            result_.links.end()) {
            result_.links.push_back(link.device);
        }
        if (!link.committed) return;
        result_.reads.emplace_back(link.device, link.found);
        result_.predicted[link.device] = link.exists_after ? link.after : std::nullopt;
    }
    void ignored(const plan::whole_plan&, const plan::ignored_text&) override {}
    void warning(const plan::whole_plan& plan, const plan::plan_warning& warning) override {
        put(plan::warning_text(plan, warning));
    }
    void end(const plan::whole_plan& plan) override { put(plan::stop_text(plan)); }
    void fail(const plan::whole_plan&, const std::string&, int) override {}

private:
    void put(const std::string& text) { std::fwrite(text.data(), 1, text.size(), diagnostics_); }

    check_result& result_;
    std::FILE* diagnostics_;
};

}  // namespace

check_result check_input(std::string_view input, const std::string& label, device& driver,
                         bool strict, std::FILE* diagnostics) {
    check_result result;
    plan::whole_plan plan;
    plan.input = label;
    // The whole state after each block, to verify the apply against.
    plan.states_only = true;
    plan.strict = strict;
    text_source bytes(input);
    check_output out(result, diagnostics);
    plan::make_plan(plan, bytes, driver, out);
    result.status = plan.status();
    return result;
}

}  // namespace apply
