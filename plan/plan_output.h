// Where a plan goes while it is made: each link block as soon as its link is
// read, each of its DUMPINFO reports as it comes, the rest at its end; so a
// plan holds one block at a time, and no more of it, however long the input.
#pragma once

#include <string>

#include "plan/link_plan.h"

namespace plan {

class plan_output {
public:
    virtual ~plan_output() = default;
    /// Before the first block.
    virtual void begin(const whole_plan& plan) = 0;
    /// A link block once its link is read: what comes before its DUMPINFOs.
    virtual void link_read(const whole_plan& plan, const link_plan& link) {
        static_cast<void>(plan);
        static_cast<void>(link);
    }
    /// A DUMPINFO report of the block in progress, where it stands.
    virtual void dumpinfo(const whole_plan& plan, const link_plan& link,
                          const dumpinfo_report& report) {
        static_cast<void>(plan);
        static_cast<void>(link);
        static_cast<void>(report);
    }
    /// A link block, when it ends or when the run stops in it: after
    /// link_read when its link was read, the whole block otherwise.
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
