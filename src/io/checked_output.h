// An output stream on a descriptor that keeps the error number of its first
// failed write. stdio keeps only a flag: when a buffer flush inside some later
// write fails, errno is overwritten long before the final flush looks at it.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdio>

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
