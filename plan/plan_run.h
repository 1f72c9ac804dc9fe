// One run of zlplan, from the command line to the exit status.
#pragma once

#include "config/byte_source.h"
#include "driver/device.h"
#include "plan/link_plan.h"
#include "plan/plan_output.h"

namespace plan {

/// Parses `in` as zlconf does, reading links through `real` and sending it
/// nothing that changes the driver, and hands each link block to `out` as it
/// ends; `plan` says how the run ends. The caller sets `plan.input` and
/// `plan.every_request`. A failure that leaves no plan (the input cannot be
/// read, memory runs out) is thrown after the blocks before it went out.
void make_plan(whole_plan& plan, byte_source& in, device& real, plan_output& out);

/// Exit status: 0 the plan was printed and zlconf would accept the whole
/// file; 1 a syntax error, a link that cannot be opened or read, an over-long
/// scan, no memory, or with --strict a warning; 2 the input (or --check's
/// state file) cannot be read, or wrong arguments; 3 with --exit-code, the
/// plan is otherwise 0 and some link would change.
int zlplan_main(int argc, char** argv);

}  // namespace plan
