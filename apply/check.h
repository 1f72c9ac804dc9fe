// The check before an apply: the whole input planned with zlplan's code
// against the driver's state, with the read requests only, so that a file
// that zlconf would stop in, or that would not do what it says, sends nothing.
#pragma once

#include <cstddef>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "driver/device.h"
#include "model/link_state.h"

namespace apply {

struct check_result {
    int status = 1;  // zlplan's: 0 the whole file would be accepted (and no warning, with strict)
    /// The links the file names, in the order first named.
    std::vector<std::string> links;
    /// Each link as the driver would hold it after the whole file; none for
    /// a link it would not hold.
    std::map<std::string, std::optional<model::link_state>> predicted;
    /// Per link block, in order: its device and whether ZLIOGLINK finds it.
    std::vector<std::pair<std::string, bool>> reads;
};

/// Plans `input`, named `label` in messages, reading links through `driver`.
/// Warnings, and where and why zlconf would stop, go to `diagnostics` as
/// zlplan writes them. A failure that leaves no plan (no memory) is thrown.
check_result check_input(std::string_view input, const std::string& label, device& driver,
                         bool strict, std::FILE* diagnostics);

}  // namespace apply
