// A plan as one JSON document, for programs: the same content as the text.
#pragma once

#include <cstddef>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "plan/link_plan.h"
#include "plan/plan_output.h"

namespace plan {

/// Writes the document as the plan is made. It ends with "status", and when
/// no plan could be made, with "error" before it: the document is whole
/// however the run ends. The diagnostics go to `diagnostics` as text does.
class json_output final : public plan_output {
public:
    json_output(std::FILE* out, std::FILE* diagnostics);
    void begin(const whole_plan& plan) override;
    void link(const whole_plan& plan, const link_plan& link) override;
    void ignored(const whole_plan& plan, const ignored_text& text) override;
    void warning(const whole_plan& plan, const plan_warning& warning) override;
    void end(const whole_plan& plan) override;
    void fail(const whole_plan& plan, const std::string& message, int status) override;

private:
    void put(const std::string& text);
    void close_links();

    std::FILE* out_;
    std::FILE* diagnostics_;
    bool begun_ = false;
    std::size_t links_ = 0;
    nlohmann::ordered_json ignored_ = nlohmann::ordered_json::array();
    nlohmann::ordered_json warnings_ = nlohmann::ordered_json::array();
};

}  // namespace plan
