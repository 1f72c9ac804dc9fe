#include "io/checked_output.h"

#include <unistd.h>

#include <cerrno>

#include "io/standard_streams.h"

checked_output::checked_output(int fd) : fd_(fd) {
    const cookie_io_functions_t functions{nullptr, &checked_output::write_cookie, nullptr, nullptr};
    stream_ = fopencookie(this, "w", functions);
    if (stream_ == nullptr) {
        stream_ = stdout;
        return;
    }
    std::setvbuf(stream_, nullptr, isatty(fd) != 0 ? _IOLBF : _IOFBF, BUFSIZ);
}

checked_output::~checked_output() {
    if (stream_ != stdout) std::fclose(stream_);
}

int checked_output::finish() {
    if (stream_ == stdout) return flush_standard_output();
    if (std::fflush(stream_) != 0 && error_ == 0) error_ = errno;
    return error_;
}

// stdio counts a short write as a failure, so everything is written or the
// error is kept.
ssize_t checked_output::write_cookie(void* cookie, const char* data, std::size_t size) {
    auto& self = *static_cast<checked_output*>(cookie);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t written = ::write(self.fd_, data + done, size - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (self.error_ == 0) self.error_ = written < 0 ? errno : EIO;
            return -1;
        }
        done += static_cast<std::size_t>(written);
    }
    return static_cast<ssize_t>(size);
}
