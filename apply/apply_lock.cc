#include "apply/apply_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <system_error>

namespace apply {

namespace {

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

lock_note read_lock_note(int fd) {
    char text[64] = {};
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    lock_note note;
    if (n <= 0) return note;
    std::istringstream words(std::string(text, static_cast<std::size_t>(n)));
    long pid = 0;
    if (words >> pid) note.pid = static_cast<pid_t>(pid);
    words >> note.stage;
    return note;
}

apply_lock::apply_lock(const std::string& path) {
    const std::string folder = folder_of(path);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw std::system_error(errno, std::generic_category(), "mkdir " + folder);
    }
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "open " + path);
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) {
            const int error = errno;
            ::close(fd_);
            throw std::system_error(error, std::generic_category(), "flock " + path);
        }
        return;
    }
    held_ = true;
    set_stage("applying");
}

apply_lock::~apply_lock() {
    ::close(fd_);
}

lock_note apply_lock::note() const {
    return read_lock_note(fd_);
}

// Written in one piece at the start, then cut to its length, so that a reader
// never sees a stage without its process.
void apply_lock::set_stage(const std::string& stage) const {
    const std::string text = std::to_string(::getpid()) + " " + stage + "\n";
    if (::pwrite(fd_, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size())) {
        if (::ftruncate(fd_, static_cast<off_t>(text.size())) != 0) {
            // The stage stays readable before the old text's tail.
        }
    }
}

}  // namespace apply
