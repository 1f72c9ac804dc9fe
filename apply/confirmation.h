// Confirm or revert: after an apply with --confirm, the change is kept only
// when it is confirmed within the time given, on the controlling terminal or
// by `zlapply --confirm` from another shell. Anything else reverts it: another
// answer, the time running out, a hang-up, an interrupt, a termination request.
#pragma once

#include <cstdio>
#include <string>

namespace apply {

struct decision {
    bool keep = false;
    std::string why;  // "answered y", "confirmed by zlapply --confirm", "SIGHUP", ...
};

/// Abstract so that in-process runs decide without a terminal, signals or a
/// clock. The real one is terminal_confirmation.
class confirmation {
public:
    virtual ~confirmation() = default;
    /// Waits up to `seconds` for a decision.
    virtual decision wait(int seconds) = 0;
};

/// Asks "keep this configuration? [y/N] (reverting in N s)" on the
/// controlling terminal when this process is in its foreground; watches the
/// signals and the confirmation file that `zlapply --confirm` writes, and
/// the monotonic clock.
class terminal_confirmation final : public confirmation {
public:
    terminal_confirmation(std::string confirm_file, std::FILE* messages)
        : confirm_file_(std::move(confirm_file)), messages_(messages) {}
    decision wait(int seconds) override;

private:
    std::string confirm_file_;
    std::FILE* messages_;
};

/// The file through which `zlapply --confirm` confirms the pending apply.
inline std::string confirm_path_of(const std::string& restore_point) {
    return restore_point + ".confirm";
}

/// `zlapply --confirm`: confirms the apply that waits on `restore_point` and
/// waits for it to end. 0 when it kept its change; 1 when none was waiting or
/// it reverted first. Messages go to `messages`.
int confirm_pending(const std::string& restore_point, std::FILE* messages);

}  // namespace apply
