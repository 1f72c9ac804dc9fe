// The tool's device seam backed by the driver model, for fast in-process
// tests of reading and committing links.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "driver/device.h"
#include "model/driver.h"

namespace model {

class model_device final : public device {
public:
    explicit model_device(driver_state initial = {}, failure_plan failures = {},
                          fill_policy fill = fill_policy::varied);

    int open(const char* path, int flags) override { return driver_.open(path, flags); }
    int ioctl(int fd, unsigned long request, void* arg) override {
        return driver_.ioctl(fd, request, arg);
    }
    int close(int fd) override { return driver_.close(fd); }

    // Every open, request and close so far.
    const std::vector<request_record>& log() const { return log_->records(); }
    // The same as the request log writes them (log_lines.h).
    std::vector<std::string> log_lines() const;
    void clear_log() { log_->clear(); }

    const driver_state& state() const { return driver_.state(); }
    bool is_open(int fd) const { return driver_.is_open(fd); }

private:
    model_device(driver_state initial, failure_plan failures, fill_policy fill,
                 std::unique_ptr<memory_log> log);

    memory_log* log_;  // owned by driver_
    driver driver_;
};

/// The same seam over the links alone, keeping no log, so that a run of any
/// length holds only the links: zlplan's --check, and the fuzzers.
class unlogged_device final : public device {
public:
    explicit unlogged_device(driver_state links) : driver_(std::move(links)) {}
    int open(const char* path, int flags) override { return driver_.open(path, flags); }
    int ioctl(int fd, unsigned long request, void* arg) override {
        return driver_.ioctl(fd, request, arg);
    }
    int close(int fd) override { return driver_.close(fd); }

private:
    driver driver_;
};

}  // namespace model
