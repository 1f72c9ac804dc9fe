// Keeps the real link devices out of a rehearsal. A command that escapes the
// preload (a static binary, a setuid one, `env -u LD_PRELOAD`) would open the
// real /dev/zl* nodes: where this machine has any, the command runs in a
// private mount namespace in which an empty file covers each, and every open
// of one is noticed, so that zlsim can say the command escaped.
#pragma once

#include <string>
#include <vector>

namespace sim {

class device_mask {
public:
    /// The link device nodes this machine has, a watch on them, and the file
    /// that covers them, in a private folder of its own.
    device_mask();
    ~device_mask();
    device_mask(const device_mask&) = delete;
    device_mask& operator=(const device_mask&) = delete;

    /// Whether there is anything to keep out: a machine without link device
    /// nodes has no real driver to reach.
    bool needed() const { return !nodes_.empty(); }

    /// In the command's process, before it starts: a private mount namespace
    /// with the nodes covered. An empty result when done, else why not.
    std::string cover();

    /// After the command: whether a link device node was opened other than
    /// through the simulated driver, covered or not.
    bool opened() const;

private:
    std::vector<std::string> nodes_;
    std::string folder_;
    std::string cover_file_;
    int watch_ = -1;
};

}  // namespace sim
