// How code deep inside a run ends it: a run_failure carries the exit status
// and the message to `main`, which writes the message and exits. Code below
// `main` never calls exit, so every path stays testable in-process.
#pragma once

#include <cstdio>
#include <exception>

class run_failure : public std::exception {
public:
    /// The message is formatted into the exception itself, so that it can be
    /// thrown when memory has run out.
    run_failure(int status, std::FILE* stream, const char* format, ...)
        __attribute__((format(printf, 4, 5)));

    /// The system's error report: "<prefix>: <text of errnum>\n" on standard error.
    static run_failure system_error(int status, const char* prefix, int errnum);

    /// A record could not be allocated.
    static run_failure out_of_memory();

    int status() const noexcept { return status_; }
    std::FILE* stream() const noexcept { return stream_; }
    const char* message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_; }

private:
    int status_;
    std::FILE* stream_;
    char message_[256]{};
};
