#include "io/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool ensure_standard_streams() noexcept {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
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
