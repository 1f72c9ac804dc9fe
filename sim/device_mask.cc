#include "sim/device_mask.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace sim {

namespace {

std::vector<std::string> link_device_nodes() {
    std::vector<std::string> nodes;
    for (const std::string_view family : {"zl", "zlumi"}) {
        for (char unit = '0'; unit <= '8'; ++unit) {
            const std::string path = "/dev/" + std::string(family) + unit;
            struct stat node {};
            if (::lstat(path.c_str(), &node) == 0) nodes.push_back(path);
        }
    }
    return nodes;
}

bool write_file(const char* path, const std::string& text) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    return ::close(fd) == 0 && written;
}

// A user without the privilege gets one of their own, in which they may mount.
std::string private_namespace() {
    if (::geteuid() == 0) {
        return ::unshare(CLONE_NEWNS) == 0 ? "" : std::string("unshare: ") + std::strerror(errno);
    }
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
        return std::string("unshare: ") + std::strerror(errno);
    }
    if (!write_file("/proc/self/setgroups", "deny") ||
        !write_file("/proc/self/uid_map", std::to_string(uid) + " " + std::to_string(uid) + " 1") ||
        !write_file("/proc/self/gid_map", std::to_string(gid) + " " + std::to_string(gid) + " 1")) {
        return std::string("user namespace: ") + std::strerror(errno);
    }
    return "";
}

}  // namespace

device_mask::device_mask() : nodes_(link_device_nodes()) {
    if (nodes_.empty()) return;
    const char* tmp = std::getenv("TMPDIR");
    std::string folder =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/zlsim.XXXXXX";
    if (::mkdtemp(folder.data()) == nullptr) return;  // uncovered: cover() says why
    folder_ = folder;
    cover_file_ = folder + "/link-device";
    const int fd = ::open(cover_file_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) ::close(fd);
    // Opens of the covering file and of the real nodes are both escapes.
    watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch_ < 0) return;
    ::inotify_add_watch(watch_, cover_file_.c_str(), IN_OPEN);
    for (const std::string& node : nodes_) ::inotify_add_watch(watch_, node.c_str(), IN_OPEN);
}

device_mask::~device_mask() {
    if (watch_ >= 0) ::close(watch_);
    if (folder_.empty()) return;
    ::unlink(cover_file_.c_str());
    ::rmdir(folder_.c_str());
}

std::string device_mask::cover() {
    if (folder_.empty()) return std::string("no folder for the cover: ") + std::strerror(ENOSPC);
    if (std::string failed = private_namespace(); !failed.empty()) return failed;
    // Nothing mounted here may reach the namespace the machine runs in.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return std::string("mount: ") + std::strerror(errno);
    }
    for (const std::string& node : nodes_) {
        if (::mount(cover_file_.c_str(), node.c_str(), nullptr, MS_BIND, nullptr) != 0) {
            return std::string("cannot cover ") + node + ": " + std::strerror(errno);
        }
    }
    return "";
}

bool device_mask::opened() const {
    if (watch_ < 0) return false;
    alignas(inotify_event) std::array<char, 4096> events{};
    bool any = false;
    while (::read(watch_, events.data(), events.size()) > 0) any = true;
    return any;
}

}  // namespace sim
