// A plan as text: the plan itself for standard output, and the diagnostics,
// in the FILE:LINE:COLUMN form that editors understand, for standard error.
#pragma once

#include <cstdio>
#include <string>

#include "plan/link_plan.h"
#include "plan/plan_output.h"

namespace plan {

/// Writes each part of the plan as it comes.
class text_output final : public plan_output {
public:
    text_output(std::FILE* out, std::FILE* diagnostics);
    void begin(const whole_plan& plan) override;
    void link_read(const whole_plan& plan, const link_plan& link) override;
    void dumpinfo(const whole_plan& plan, const link_plan& link,
                  const dumpinfo_report& report) override;
    void link(const whole_plan& plan, const link_plan& link) override;
    void ignored(const whole_plan& plan, const ignored_text& text) override;
    void warning(const whole_plan& plan, const plan_warning& warning) override;
    void end(const whole_plan& plan) override;
    /// Nothing beyond the message that zlplan writes itself.
    void fail(const whole_plan& plan, const std::string& message, int status) override;

private:
    static void put(std::FILE* stream, const std::string& text);

    std::FILE* out_;
    std::FILE* diagnostics_;
    bool head_written_ = false;  // of the block in progress
};

/// Describes a failed open or read: "open /dev/zl1 failed: No such file or directory".
std::string failure_text(const read_failure& failure);

/// A warning in the FILE:LINE:COLUMN form.
std::string warning_text(const whole_plan& plan, const plan_warning& warning);

/// Where and why the run stops early, with a note of what zlconf does then;
/// empty when it does not stop early.
std::string stop_text(const whole_plan& plan);

/// What the run does when it stops early, or empty when it does not.
std::string stop_note(const whole_plan& plan);

}  // namespace plan
