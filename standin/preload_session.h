// The stand-in driver inside a process that preloads it, configured from the
// environment when the process first opens a link device:
//
//   ZLSTANDIN_STATE  state file (model/state_file.h), never reached through a
//                    symbolic link; unset: the driver starts with no links
//                    and keeps nothing. While the process has a link device
//                    open it holds the state's lock (model/state_lock.h): the
//                    first open reads the state afresh, the last close writes
//                    it back when it changed, so that processes running at
//                    once each see the others' updates
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
#include <optional>
#include <string>

#include "model/driver.h"
#include "model/state_folder.h"
#include "model/state_lock.h"

namespace standin {

// Whether a path, which may be null, names one of the link devices.
bool names_link_device(const char* path);

class preload_session {
public:
    // Throws std::exception describing a bad configuration.
    static std::unique_ptr<preload_session> from_environment();

    // Throws std::exception when the state file cannot be locked or read.
    int open(const char* path, int flags);
    int ioctl(int fd, unsigned long code, void* arg) {
        return sink_ ? sink_ioctl(fd, code) : driver_.ioctl(fd, code, arg);
    }
    // Throws std::exception when the state file cannot be written.
    int close(int fd);

    bool sink() const { return sink_; }
    static int sink_ioctl(int fd, unsigned long code);

private:
    preload_session(model::failure_plan failures, model::fill_policy fill,
                    std::unique_ptr<model::log_sink> log, std::optional<model::state_folder> folder,
                    bool sink);

    model::driver driver_;
    std::optional<model::state_folder> folder_;  // none when the state is kept in memory only
    bool sink_;
    // While a link device is open: the lock, and the state as it was read.
    int open_devices_ = 0;
    std::optional<model::state_lock> lock_;
    model::driver_state read_;
};

}  // namespace standin
