// The stand-in driver as a program sees it: open, ioctl and close on the link
// devices, with results as the C library gives them (-1 and errno on failure).
// Both the in-process test device and the preloaded interposer go through it.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "model/driver_model.h"
#include "model/failure_plan.h"
#include "model/log_sink.h"

namespace model {

// Far above any descriptor the kernel hands out, so that the driver's
// descriptors never collide with real ones in a process that preloads it.
inline constexpr int kFirstDescriptor = 0x40000000;

class driver {
public:
    // A null `log` logs nothing, and costs nothing.
    explicit driver(driver_state initial = {}, failure_plan failures = {},
                    fill_policy fill = fill_policy::varied, std::unique_ptr<log_sink> log = nullptr,
                    int first_descriptor = kFirstDescriptor);

    // Opens "/dev/<link device>"; any other path fails with ENOENT.
    int open(const char* path, int flags);
    int ioctl(int fd, unsigned long code, void* arg);
    int close(int fd);

    bool is_open(int fd) const { return open_devices_.contains(fd); }
    const driver_state& state() const { return model_.state(); }
    void replace_state(driver_state links) { model_.replace_state(std::move(links)); }

private:
    int lowest_free_descriptor() const;
    // Builds the record only when there is a log to write it to.
    template <typename MakeRecord>
    void log(MakeRecord make_record);

    driver_model model_;
    failure_plan failures_;
    std::unique_ptr<log_sink> log_;
    int first_descriptor_;
    std::map<int, std::string> open_devices_;  // descriptor to device name
};

}  // namespace model
