// The stand-in driver's behaviour: the requests of the link-aggregation driver
// carried out on an in-memory driver_state.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "driver/requests.h"
#include "standin/link_state.h"

namespace standin {

class model {
public:
    model() = default;
    explicit model(driver_state initial) : links_(std::move(initial)) {}

    // Carries out one request on the link behind `device`, with the request
    // record already copied in (a zeroed one for requests without data).
    // Returns 0 or the errno value the driver fails with.
    int handle(std::string_view device, std::uint32_t code, const link_req& request);

    const driver_state& state() const { return links_; }

    // Puts `link` behind `device` in place of what was there; none removes it.
    void replace_link(std::string_view device, std::optional<link_state> link);

private:
    int create_link(std::string_view device);

    driver_state links_;
};

}  // namespace standin
