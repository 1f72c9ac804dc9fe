// The restore point: every link the driver holds, and a deleting block for
// every link device it offers without a link, as zlsave writes them; written
// whole or not at all, so that a crash leaves the last one or none.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/device.h"
#include "link/link_snapshot.h"

namespace apply {

/// Each link device and what it held; none for a device without a link.
using saved_links = std::map<std::string, std::optional<link_snapshot>>;

struct restore_point {
    saved_links links;
    std::string text;                   // the file
    std::vector<std::string> warnings;  // zlsave's: what no statement can make again
};

/// Reads every link device through `driver` with zlconf's reading code; a
/// device missing from the system is left out. Throws std::runtime_error for
/// a link that cannot be opened or read, naming it.
restore_point save_driver(device& driver, const std::string& applied);

/// Writes `text` to a temporary file beside `path`, syncs it, renames it over
/// `path` and syncs the folder, which is made with mode 0700 when missing.
/// Throws std::system_error naming what failed.
void write_restore_point(const std::string& path, std::string_view text);

/// The links a restore point file builds, as a driver that accepts every
/// request would hold them after it; planned with zlplan's code on a driver
/// with no links. Throws std::runtime_error when the file would not be
/// accepted whole.
saved_links links_built_by(std::string_view text, const std::string& label);

}  // namespace apply
