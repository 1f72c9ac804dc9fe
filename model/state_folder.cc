#include "model/state_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace model {

owned_fd& owned_fd::operator=(owned_fd&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.release();
    }
    return *this;
}

owned_fd::~owned_fd() {
    if (fd_ >= 0) ::close(fd_);
}

int owned_fd::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void fail_on(const std::string& path, const std::string& what) {
    throw state_file_error(path + ": cannot " + what + ": " + std::strerror(errno));
}

state_folder::state_folder(const std::string& path) : path_(path) {
    const std::size_t slash = path.rfind('/');
    prefix_ = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    name_ = path.substr(prefix_.size());
    if (name_.empty() || name_ == "." || name_ == "..") {
        throw state_file_error(path + ": not a file name");
    }
    const std::string folder = prefix_.empty() ? std::string(".") : prefix_;
    fd_ = owned_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd_.get() < 0) fail_on(folder, "open the folder");
}

int state_folder::open(const std::string& file, int flags) const {
    // A FIFO must not hold the opening up; what is read is checked below.
    const mode_t mode = (flags & O_CREAT) != 0 ? new_file_mode() : 0;
    const int opened_fd =
        ::openat(fd_.get(), file.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode);
    if (opened_fd < 0) {
        if (errno == ENOENT || errno == EACCES || errno == EROFS) return -1;
        struct stat link {};
        if (errno == ELOOP && ::fstatat(fd_.get(), file.c_str(), &link, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISLNK(link.st_mode)) {
            throw state_file_error(path_of(file) +
                                   ": is a symbolic link, which is never followed; name the "
                                   "file itself");
        }
        fail_on(path_of(file), "open");
    }
    owned_fd opened(opened_fd);
    struct stat what {};
    if (::fstat(opened_fd, &what) != 0) fail_on(path_of(file), "open");
    if (!S_ISREG(what.st_mode)) throw state_file_error(path_of(file) + ": not a regular file");
    // Reads and writes block again, as they do on any regular file.
    ::fcntl(opened_fd, F_SETFL, ::fcntl(opened_fd, F_GETFL) & ~O_NONBLOCK);
    return opened.release();
}

std::string read_limited(int fd, const std::string& path, std::size_t limit) {
    std::string text;
    std::array<char, 64 * 1024> buffer;
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) fail_on(path, "read");
        if (got == 0) return text;
        if (static_cast<std::size_t>(got) > limit - text.size()) {
            throw state_file_error(path + ": larger than " + std::to_string(limit >> 20) +
                                   " MiB, more than any state file holds");
        }
        text.append(buffer.data(), static_cast<std::size_t>(got));
    }
}

mode_t state_folder::new_file_mode() const {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat folder {};
    const bool shared = ::fstat(fd_.get(), &folder) == 0 && (folder.st_mode & (S_IWGRP | S_IWOTH));
    return (::geteuid() == 0 && shared ? 0600 : 0666) & ~mask;
}

}  // namespace model
