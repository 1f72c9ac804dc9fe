#include "io/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

unsigned closed_standard_streams() noexcept {
    unsigned closed = 0;
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) closed |= 1U << fd;
    }
    return closed;
}

bool ensure_standard_streams() noexcept {
    const unsigned closed = closed_standard_streams();
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if ((closed & (1U << fd)) == 0) continue;
        // The lowest free descriptor is this one: those below it are open.
        const int opened = open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened != fd) return false;
    }
    return true;
}

int flush_standard_output() noexcept {
    // A failed flush inside an earlier write leaves errno as that write set it,
    // and nothing else has failed since when this is called right after.
    const int earlier = std::ferror(stdout) != 0 ? errno : 0;
    if (std::fflush(stdout) != 0) return errno;
    return earlier != 0 ? earlier : (std::ferror(stdout) != 0 ? EIO : 0);
}

int finish_output(const char* prog, int status, int output_error) noexcept {
    if (output_error != 0) {
        std::fprintf(stderr, "%s: write error: %s\n", prog, std::strerror(output_error));
    }
    const bool diagnostics_failed = std::fflush(stderr) != 0 || std::ferror(stderr) != 0;
    if (status == 0 && (output_error != 0 || diagnostics_failed)) return 1;
    return status;
}

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
