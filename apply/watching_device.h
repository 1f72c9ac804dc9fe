// The device an apply runs on: every request goes on to the driver, and its
// answer is watched. The first refused request that changes the driver stops
// the run at once, so that nothing is sent after it; so does a termination
// signal, before the next changing request. A link read differently from
// what the check read stops it too: the driver changed in between.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "driver/device.h"

namespace apply {

/// Thrown out of a request to end the session's run there; the watching
/// device says why.
class watch_stop final : public std::exception {
public:
    const char* what() const noexcept override { return "the apply was stopped"; }
};

class watching_device final : public device {
public:
    /// `interrupted` names the termination signal that arrived, or is null.
    watching_device(device& real, std::function<const char*()> interrupted)
        : real_(real), interrupted_(std::move(interrupted)) {}
    ~watching_device() override { close_all(); }
    watching_device(const watching_device&) = delete;
    watching_device& operator=(const watching_device&) = delete;

    /// Per link block, in order: the link's device and whether the check
    /// found the driver holding it.
    void expect_reads(std::vector<std::pair<std::string, bool>> reads) {
        expected_ = std::move(reads);
    }

    int open(const char* path, int flags) override;
    int ioctl(int fd, unsigned long request, void* arg) override;
    int close(int fd) override;

    /// Closes the devices that a stopped run left open.
    void close_all();

    /// Why the run was stopped ("zl0: ZLIOASEG ce2 refused: Input/output
    /// error"); empty while it was not.
    const std::string& stopped() const { return stopped_; }
    /// Links sent a changing request, refused ones included, in the order of
    /// their first.
    const std::vector<std::string>& touched() const { return touched_; }

private:
    [[noreturn]] void stop(std::string why);
    void check_read(const std::string& link, bool found);

    device& real_;
    std::function<const char*()> interrupted_;
    std::vector<std::pair<std::string, bool>> expected_;
    std::size_t opened_ = 0;           // link blocks opened so far
    std::map<int, std::string> open_;  // descriptor to link device
    std::vector<std::string> touched_;
    std::string stopped_;
};

}  // namespace apply
