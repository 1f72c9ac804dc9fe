// Where a plan goes while it is made: each link block as soon as it ends, so
// that a plan holds one block at a time however long the input.
#pragma once

#include <string>

#include "plan/link_plan.h"

namespace plan {

class plan_output {
public:
    virtual ~plan_output() = default;
    /// Before the first block.
    virtual void begin(const whole_plan& plan) = 0;
    /// A link block, when it ends or when the run stops in it.
    virtual void link(const whole_plan& plan, const link_plan& link) = 0;
    /// A run of characters that form no token.
    virtual void ignored(const whole_plan& plan, const ignored_text& text) = 0;
    /// Something zlconf would take that is likely not what was meant.
    virtual void warning(const whole_plan& plan, const plan_warning& warning) = 0;
    /// After the last block: how the run ends.
    virtual void end(const whole_plan& plan) = 0;
    /// The plan could not be made: `message` says why, `status` is the exit
    /// status. May come before begin, or after some blocks.
    virtual void fail(const whole_plan& plan, const std::string& message, int status) = 0;
};

}  // namespace plan
