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

#include <cerrno>
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
#include "model/driver_model.h"
#include "model/link_state.h"

namespace plan {

struct recorded_request {
    std::uint32_t code = 0;
    link_req fields{};       // as sent; `cursor` and `data` cleared
    std::size_t number = 0;  // its place among the requests of the block's end, from 1
};

/// A request that could not open or read a link: what zlconf stops at.
struct read_failure {
    std::string device;       // the link device's name
    std::uint32_t code = 0;   // 0 for opening the device
    std::size_t ordinal = 0;  // for ZLIOGSEG and ZLIOGTL: which record, from 1
    int error = 0;
};

/// How many of each read request succeeded.
struct read_counts {
    std::size_t links = 0;
    std::size_t segments = 0;
    std::size_t entries = 0;
};

/// One link from its opening to its closing.
struct link_visit {
    std::string device;
    bool predicted = false;   // read from the prediction, not the driver
    bool found = false;       // ZLIOGLINK succeeded
    int not_found_error = 0;  // why ZLIOGLINK failed, when it did
    read_counts reads;
    /// The requests of the block's end; without every_request, those that
    /// leave a segment as it is are only counted.
    std::vector<recorded_request> requests;
    std::size_t sent = 0;       // every request of the block's end
    std::size_t unchanged = 0;  // the ZLIOSSEGs counted, not kept
    /// What the driver reported, to start the prediction from; empty when it
    /// does not have the link.
    std::optional<model::link_state> driver_read;
    /// Set when the device is closed: whether the driver would have the link
    /// afterwards, and its size then.
    bool exists_after = false;
    std::size_t segments_after = 0;
    std::size_t entries_after = 0;
    /// The whole link afterwards, with every_request only.
    std::optional<model::link_state> after;
    /// What the block changes, in words (see link_changes).
    std::vector<std::string> changes;
    /// The segments read, in order, and the first of them that no request has
    /// named yet: zlconf sends its segments in the order it read them.
    std::vector<model::segment_state> segments_read;
    std::size_t next_unsent = 0;
};

class planning_device final : public device {
public:
    /// With `every_request`, every request is kept and the whole link after
    /// each block; otherwise a ZLIOSSEG that leaves a segment as it is is
    /// only counted, so that a block costs what it changes rather than what
    /// the link holds.
    /// With `states_only`, the whole link is kept after each block too, and
    /// its changes are not put in words.
    planning_device(device& real, bool every_request, bool states_only = false)
        : real_(real), every_request_(every_request), states_only_(states_only) {}

    int open(const char* path, int flags) override;
    int ioctl(int fd, unsigned long request, void* arg) override;
    int close(int fd) override;

    /// The link opened last, while it is open and after it was closed.
    const link_visit* last_visit() const { return last_.get(); }
    const std::optional<read_failure>& failure() const { return failure_; }

private:
    int read(link_visit& visit, int fd, std::uint32_t code, link_req& request);
    void note_read(link_visit& visit, std::uint32_t code, const link_req& request) const;
    static bool leaves_segment_as_is(link_visit& visit, const recorded_request& r);

    device& real_;
    bool every_request_;
    bool states_only_;
    std::map<int, std::shared_ptr<link_visit>> open_;
    std::shared_ptr<link_visit> last_;
    std::optional<read_failure> failure_;
    // What was read for each link the first time, and is then kept up to date
    // by the recorded requests; links committed in this run only.
    model::driver_model predicted_;
    std::set<std::string> committed_;
};

}  // namespace plan
