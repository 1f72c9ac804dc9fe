// What every program of the suite does first and last with its standard
// streams, so that nothing it opens becomes one of them and no failed write
// ends in a success.
#pragma once

/// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed, so that a
/// file opened later never takes their place: a closed standard output would
/// otherwise receive whatever is opened next, a link's device included.
/// Returns false when one could not be opened; the caller then ends at once.
bool ensure_standard_streams() noexcept;

/// Flushes standard output and returns 0, or the error number of the failed
/// write. Call it right after the output is written, so that the number is the
/// write's own and not whatever a later call left in errno.
int flush_standard_output() noexcept;

/// The program's exit status once its output is done. `output_error` is the
/// error number of a failed write of the output, 0 when it all went out. A
/// failure of the output writes "<prog>: write error: <text>" on standard
/// error; a failure of either stream turns status 0 into 1, while a failure
/// status already given stays.
int finish_output(const char* prog, int status, int output_error) noexcept;
