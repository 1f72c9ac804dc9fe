// Reads links from the driver with zlconf's own reading code, and nothing else:
// the read requests only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "driver/device.h"
#include "link/link_snapshot.h"

namespace save {

/// Every link device name the driver offers: zl0..zl8, then zlumi0..zlumi8.
std::vector<std::string> all_link_names();

struct driver_link {
    bool opened = false;                // the device could be opened
    int open_error = 0;                 // errno of the open when not
    std::optional<link_snapshot> link;  // empty when the driver does not have it
};

/// Opens "/dev/<name>" and reads the link as zlconf does when a block names
/// it. A segment or entry that cannot be read throws zlconf's run_failure.
driver_link read_driver_link(const std::string& name);

/// The same through `driver`, for a companion that watches or simulates it.
driver_link read_driver_link(device& driver, const std::string& name);

}  // namespace save
