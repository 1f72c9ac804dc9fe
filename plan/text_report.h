// A plan as text: the plan itself for standard output, and the diagnostics,
// in the FILE:LINE:COLUMN form that editors understand, for standard error.
#pragma once

#include <string>

#include "plan/link_plan.h"

namespace plan {

std::string plan_text(const whole_plan& plan);

std::string diagnostics_text(const whole_plan& plan);

/// Describes a failed open or read: "open /dev/zl1 failed: No such file or directory".
std::string failure_text(const read_failure& failure);

/// What the run does when it stops early, or empty when it does not.
std::string stop_note(const whole_plan& plan);

}  // namespace plan
