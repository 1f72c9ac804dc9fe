// One run of zlplan, from the command line to the exit status.
#pragma once

#include <string>

#include "driver/device.h"
#include "plan/link_plan.h"

namespace plan {

/// Parses `text` as zlconf does, reading links through `real` and sending it
/// nothing that changes the driver. `input` is how messages name the text.
whole_plan make_plan(const std::string& input, std::string text, device& real);

/// Exit status: 0 the plan was printed and zlconf would accept the whole
/// file; 1 a syntax error, a link that cannot be opened or read, an over-long
/// scan, or wrong arguments; 2 the input cannot be read.
int zlplan_main(int argc, char** argv);

}  // namespace plan
