// Bringing links back to the restore point: each with the fewest statements
// that undo what was done (see undo_statements), run through zlconf's own
// session behind the same watch as the apply, then read back and compared.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "apply/restore_point.h"
#include "driver/device.h"

namespace apply {

struct rollback_result {
    bool complete = true;                // every link matches the restore point
    std::vector<std::string> restored;   // links that match it again
    std::vector<std::string> differing;  // links that do not
};

/// Restores `links` to what `saved` holds for them, through `driver`, and
/// says on `messages` what became of each: restored, deleted, built again
/// and why, or what still differs.
rollback_result roll_back(device& driver, const std::vector<std::string>& links,
                          const saved_links& saved, std::FILE* messages);

}  // namespace apply
