// The driver model: the requests of the link-aggregation driver
// carried out on an in-memory driver_state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "driver/requests.h"
#include "model/link_state.h"
#include "model/record_fill.h"

namespace model {

class driver_model {
public:
    driver_model() = default;
    explicit driver_model(driver_state initial, fill_policy fill = fill_policy::varied)
        : links_(std::move(initial)), fill_(fill) {}

    // Carries out one request on the link behind `device`, with the request
    // record already copied in (a zeroed one for requests without data).
    // Returns 0 or the errno value the driver fails with.
    int handle(std::string_view device, std::uint32_t code, const link_req& request);

    const driver_state& state() const { return links_; }

    // The answer to the ZLIOSSEG with flags 0 that follows a ZLIODSEG of the
    // same segment: 0 (the default) accepts it and changes nothing, as the
    // driver does; an errno refuses it, as a stricter driver would.
    void answer_removed_segment_with(int error) { removed_segment_error_ = error; }

    // Puts `link` behind `device` in place of what was there; none removes it.
    void replace_link(std::string_view device, std::optional<link_state> link);

private:
    int carry_out(std::string_view device, std::uint32_t code, const link_req& request);
    int create_link(std::string_view device);
    bool settles_removal(std::string_view device, std::uint32_t code, const link_req& request);

    driver_state links_;
    record_fill fill_;
    // The device and segment of the last request when it was a ZLIODSEG that
    // succeeded: the ZLIOSSEG with flags 0 that follows it settles the removal.
    std::string removed_device_;
    std::string removed_segment_;
    int removed_segment_error_ = 0;
};

}  // namespace model
