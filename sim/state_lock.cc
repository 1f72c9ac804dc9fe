#include "sim/state_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "model/state_file.h"

namespace sim {

namespace {

constexpr const char* kHeldLockVariable = "ZLSIM_LOCK_FD";
constexpr mode_t kLockFileMode = 0666;

std::runtime_error lock_failure(const std::string& path) {
    return std::runtime_error("cannot lock " + path + ": " + std::strerror(errno));
}

// The descriptor a `zlsim run` handed on, when it is a lock on the same file.
bool inherited_lock_on(int fd) {
    const char* held = std::getenv(kHeldLockVariable);
    if (held == nullptr) return false;
    char* end = nullptr;
    const long number = std::strtol(held, &end, 10);
    struct stat inherited {};
    struct stat mine {};
    if (*held == '\0' || *end != '\0' || number < 0 || number > 1024 * 1024 ||
        ::fstat(static_cast<int>(number), &inherited) != 0 || ::fstat(fd, &mine) != 0) {
        return false;
    }
    return inherited.st_dev == mine.st_dev && inherited.st_ino == mine.st_ino;
}

}  // namespace

state_lock::state_lock(const std::string& state_path, kind how) {
    const std::string path = model::resolved_state_path(state_path) + ".lock";
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kLockFileMode);
    if (fd_ < 0) throw lock_failure(path);
    if (inherited_lock_on(fd_)) return;
    while (::flock(fd_, how == kind::shared ? LOCK_SH : LOCK_EX) != 0) {
        if (errno != EINTR) {
            const int error = errno;
            ::close(fd_);
            errno = error;
            throw lock_failure(path);
        }
    }
}

state_lock::~state_lock() {
    ::close(fd_);
}

void state_lock::keep_across_exec() const {
    const int flags = ::fcntl(fd_, F_GETFD);
    if (flags >= 0) ::fcntl(fd_, F_SETFD, flags & ~FD_CLOEXEC);
    ::setenv(kHeldLockVariable, std::to_string(fd_).c_str(), 1);
}

}  // namespace sim
