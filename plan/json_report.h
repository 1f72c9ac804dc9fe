// A plan as one JSON document, for programs: the same content as the text.
#pragma once

#include <string>

#include "plan/link_plan.h"

namespace plan {

std::string plan_json(const whole_plan& plan);

}  // namespace plan
