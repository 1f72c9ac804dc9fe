// The device a plan runs on. Opening, closing and the three read requests go
// to the real device, so a plan reads exactly what zlconf would read; every
// other request is recorded and answered with success, never sent. What
// zlconf's commit code sends through it is therefore, request for request,
// what zlconf would send to a driver that accepts everything.
//
// A link that an earlier block of the same run has committed is read from a
// prediction instead: the driver state read for it, with the recorded
// requests applied by the stand-in driver's model of the driver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "driver/device.h"
#include "driver/requests.h"
#include "standin/link_state.h"

namespace plan {

struct recorded_request {
    std::uint32_t code = 0;
    link_req fields{};  // as sent; `cursor` and `data` cleared
};

/// A request that could not open or read a link: what zlconf stops at.
struct read_failure {
    std::string device;       // the link device's name
    std::uint32_t code = 0;   // 0 for opening the device
    std::size_t ordinal = 0;  // for ZLIOGSEG and ZLIOGTL: which record, from 1
    int error = 0;
};

/// One link from its opening to its closing.
struct link_visit {
    std::string device;
    bool predicted = false;            // read from the prediction, not the driver
    bool found = false;                // ZLIOGLINK succeeded
    std::vector<std::uint32_t> reads;  // the read requests that succeeded, in order
    std::vector<recorded_request> requests;
    /// What the driver reported, to start the prediction from; empty when it
    /// does not have the link.
    std::optional<standin::link_state> driver_read;
    /// What the driver holds afterwards, as predicted; empty when it would not
    /// have the link. Set when the device is closed.
    std::optional<standin::link_state> after;
};

class planning_device final : public device {
public:
    explicit planning_device(device& real) : real_(real) {}

    int open(const char* path, int flags) override;
    int ioctl(int fd, unsigned long request, void* arg) override;
    int close(int fd) override;

    /// The link opened last, while it is open and after it was closed.
    const link_visit* last_visit() const { return last_.get(); }
    const std::optional<read_failure>& failure() const { return failure_; }

private:
    int read(link_visit& visit, int fd, std::uint32_t code, link_req& request);
    void note_read(link_visit& visit, std::uint32_t code, const link_req& request);

    device& real_;
    std::map<int, std::shared_ptr<link_visit>> open_;
    std::shared_ptr<link_visit> last_;
    std::optional<read_failure> failure_;
    // What was read for each link the first time, and is then kept up to date
    // by the recorded requests; links committed in this run only.
    standin::driver_state predicted_;
    std::set<std::string> committed_;
};

}  // namespace plan
