// What every run of the tool must look like from the driver's side, checked
// on the stand-in's request log whatever the input, the driver's state and
// the injected failures were.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "in_process_run.h"

/// The first way in which `log` breaks the order in which the tool may talk to
/// the driver, or "" when it keeps it: one link device open at a time; after
/// the open, ZLIOGLINK, then the driver's segments and then its entries; a
/// ZLIOCLINK exactly when ZLIOGLINK failed, and after a failed ZLIOCLINK only
/// the close; one [ZLIODSEG | ZLIOASEG] ZLIOSSEG group per segment; then
/// ZLIODLINK, or ZLIOSMODE, ZLIOATL... and ZLIOELINK; then the close. A failed
/// open, ZLIOGSEG or ZLIOGTL ends the log.
std::string request_protocol_violation(const std::vector<model::request_record>& log);

/// The first way in which the run's ending disagrees with its log, or "": a
/// run that a failed open or read ended has status 1 and nothing after it; a
/// run with status 0 reported nothing, left no device open and committed its
/// last block; any other status 1 is a syntax error or the length limit.
std::string run_ending_violation(const in_process_result& run);

namespace model {
// Failed expectations show a record as the request log writes it.
void PrintTo(const request_record& record, std::ostream* out);
}  // namespace model
