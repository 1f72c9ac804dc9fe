#include "apply/input_bytes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace apply {

input_bytes read_whole(int fd, std::size_t limit) {
    input_bytes in;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        const auto size = static_cast<std::size_t>(st.st_size);
        if (size > limit) {
            in.too_large = true;
            return in;
        }
        in.bytes.reserve(size);
    }
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            in.error = errno;
            in.bytes.clear();
            return in;
        }
        if (n == 0) return in;
        if (in.bytes.size() + static_cast<std::size_t>(n) > limit) {
            in.too_large = true;
            in.bytes.clear();
            in.bytes.shrink_to_fit();
            return in;
        }
        in.bytes.append(chunk, static_cast<std::size_t>(n));
    }
}

}  // namespace apply
