// The stand-in driver inside a process that preloads it, configured from the
// environment when the process first opens a link device:
//
//   ZLSTANDIN_STATE  state file (model/state_file.h) loaded at the start and written
//                    back after every close of a link device; unset: the
//                    driver starts with no links and keeps nothing
//   ZLSTANDIN_LOG    file the request log is appended to; unset: no log
//   ZLSTANDIN_FAIL   failures to inject (model/failure_plan.h); unset: none
//   ZLSTANDIN_FILL   what the driver leaves in the bytes its records leave
//                    open (model/record_fill.h): "zeros", "a5" or "varied"; unset:
//                    varied
//   ZLSTANDIN_SINK   "1": a driver that has no links and accepts every
//                    change without keeping it, at the least cost, so that
//                    benchmarks time the tool and not the stand-in; it goes
//                    with none of the variables above
//
// An empty variable counts as unset. With none set, opens, requests and
// closes of link devices make no system call.
#pragma once

#include <memory>
#include <string>

#include "model/driver.h"

namespace standin {

// Whether a path, which may be null, names one of the link devices.
bool names_link_device(const char* path);

class preload_session {
public:
    // Throws std::exception describing a bad configuration.
    static std::unique_ptr<preload_session> from_environment();

    int open(const char* path, int flags) {
        return sink_ ? model::kFirstDescriptor : driver_.open(path, flags);
    }
    int ioctl(int fd, unsigned long code, void* arg) {
        return sink_ ? sink_ioctl(fd, code) : driver_.ioctl(fd, code, arg);
    }
    // Throws std::exception when the state file cannot be written.
    int close(int fd);

    bool sink() const { return sink_; }
    static int sink_ioctl(int fd, unsigned long code);

private:
    preload_session(model::driver_state initial, model::failure_plan failures,
                    model::fill_policy fill, std::unique_ptr<model::log_sink> log,
                    std::string state_path, bool sink);

    model::driver driver_;
    std::string state_path_;  // empty when the state is kept in memory only
    bool sink_;
};

}  // namespace standin
