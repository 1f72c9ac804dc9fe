// The folder that holds a state file, opened once. The state, its lock, its
// log and a save's temporary file are all reached from it by their names,
// never through a symbolic link, so that no path is resolved twice and a link
// planted in a shared folder leads nowhere.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

#include "model/state_file.h"

namespace model {

/// The largest state, lock or log file that is read: far above what the
/// driver's 18 links of 4095 segments and 4095 entries take.
inline constexpr std::size_t kLargestStateFile = 64 * 1024 * 1024;

/// A descriptor that closes itself.
class owned_fd {
public:
    explicit owned_fd(int fd = -1) : fd_(fd) {}
    owned_fd(owned_fd&& other) noexcept : fd_(other.release()) {}
    owned_fd& operator=(owned_fd&& other) noexcept;
    ~owned_fd();
    owned_fd(const owned_fd&) = delete;
    owned_fd& operator=(const owned_fd&) = delete;
    int get() const { return fd_; }
    int release();

private:
    int fd_;
};

class state_folder {
public:
    /// Opens the folder of `path` ("." for a bare name); `path` must name a
    /// file in it. Throws state_file_error.
    explicit state_folder(const std::string& path);

    /// The path as given, for messages, and its last part.
    const std::string& path() const { return path_; }
    const std::string& name() const { return name_; }
    /// The path of another file of the folder, for messages.
    std::string path_of(const std::string& file) const { return prefix_ + file; }
    int fd() const { return fd_.get(); }

    /// Opens `file` in the folder, never through a symbolic link and, with
    /// O_CREAT, as new_file_mode() says. -1 and errno ENOENT, EACCES or EROFS
    /// when it is absent or cannot be opened so; throws state_file_error for
    /// a symbolic link, anything but a regular file, or another failure.
    int open(const std::string& file, int flags) const;

    /// The mode of a file the folder gets: 0600 when a process of the
    /// superuser makes it in a folder that others can write, where a file
    /// others can read or replace would be theirs to change; otherwise what
    /// the umask allows.
    mode_t new_file_mode() const;

private:
    std::string path_;
    std::string prefix_;  // the path up to its last part
    std::string name_;
    owned_fd fd_;
};

/// The whole of the file open on `fd`, refusing one over `limit` bytes.
/// Throws state_file_error naming `path`.
std::string read_limited(int fd, const std::string& path, std::size_t limit = kLargestStateFile);

/// Throws state_file_error: "<path>: cannot <what>: <errno's text>".
[[noreturn]] void fail_on(const std::string& path, const std::string& what);

}  // namespace model
