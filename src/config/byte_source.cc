#include "byte_source.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "run_failure.h"

std::size_t descriptor_source::read_some(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, capacity);
        if (got >= 0) return static_cast<std::size_t>(got);
        // Taken first: allocating the exception may change errno.
        const int error = errno;
        if (error != EINTR) {
            throw run_failure(2, stderr, "can't read %s: %s\n", label_, std::strerror(error));
        }
    }
}
