// What every program of the suite does first and last with its standard
// streams, so that nothing it opens becomes one of them and no failed write
// ends in a success.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdio>

/// The standard descriptors that are closed, bit 0 for standard input.
unsigned closed_standard_streams() noexcept;

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

/// An output stream on a descriptor that keeps the error number of its first
/// failed write. stdio keeps only a flag: when a buffer flush inside some later
/// write fails, errno is overwritten long before the final flush looks at it.
class checked_output {
public:
    /// Buffered as stdio buffers standard output: by line on a terminal, in
    /// blocks otherwise. Should the stream not be made for want of memory,
    /// standard output stands in, with stdio's own error reporting.
    explicit checked_output(int fd);
    ~checked_output();
    checked_output(const checked_output&) = delete;
    checked_output& operator=(const checked_output&) = delete;

    std::FILE* stream() const { return stream_; }

    /// Writes out what is buffered; 0, or the error number of the first write
    /// that failed.
    int finish();

private:
    static ssize_t write_cookie(void* cookie, const char* data, std::size_t size);

    int fd_;
    int error_ = 0;
    std::FILE* stream_;
};
