#include "apply/watching_device.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "driver/requests.h"
#include "model/link_names.h"
#include "model/number_text.h"

namespace apply {

namespace {

bool is_read(std::uint32_t code) {
    return code == ZLIOGLINK || code == ZLIOGSEG || code == ZLIOGTL;
}

// The interface or address a request is about, as zlconf's report names it.
std::string subject_of(std::uint32_t code, const void* arg) {
    if (arg == nullptr ||
        (code != ZLIOASEG && code != ZLIOSSEG && code != ZLIODSEG && code != ZLIOATL)) {
        return {};
    }
    link_req req;
    std::memcpy(&req, arg, sizeof req);
    if (code == ZLIOATL) {
        return " " + model::ether_address_text(req.eaddr);
    }
    const auto name = model::interface_name_of(req);
    return name ? " " + *name : std::string();
}

}  // namespace

void watching_device::stop(std::string why) {
    stopped_ = std::move(why);
    throw watch_stop();
}

int watching_device::open(const char* path, int flags) {
    std::string_view link(path);
    if (link.starts_with("/dev/")) link.remove_prefix(5);
    const int fd = real_.open(path, flags);
    if (fd >= 0) open_[fd] = link;
    ++opened_;
    return fd;
}

// A block whose link the check found must find it now, and the other way
// round; otherwise the file would be carried out on another driver state
// than the one it was checked against.
void watching_device::check_read(const std::string& link, bool found) {
    if (opened_ == 0 || opened_ > expected_.size()) return;
    const auto& [device_name, was_found] = expected_[opened_ - 1];
    if (device_name != link || was_found == found) return;
    stop(link + ": ZLIOGLINK " +
         (found ? "finds a link that the check did not"
                : "no longer finds the link the check read"));
}

int watching_device::ioctl(int fd, unsigned long request, void* arg) {
    const auto found = open_.find(fd);
    const std::string link = found != open_.end() ? found->second : std::string("?");
    const auto code = static_cast<std::uint32_t>(request);
    if (is_read(code)) {
        const int result = real_.ioctl(fd, request, arg);
        if (code == ZLIOGLINK) {
            const int error = errno;
            check_read(link, result == 0);
            errno = error;
        }
        return result;
    }
    if (const char* signal = interrupted_ ? interrupted_() : nullptr; signal != nullptr) {
        stop(std::string(signal) + " arrived before " + link + "'s next request");
    }
    if (std::find(touched_.begin(), touched_.end(), link) == touched_.end()) {
        touched_.push_back(link);
    }
    const int result = real_.ioctl(fd, request, arg);
    if (result == 0) return 0;
    const int error = errno;
    const char* name = request_name(code);
    stop(link + ": " + (name != nullptr ? name : "request") + subject_of(code, arg) +
         " refused: " + std::strerror(error));
}

int watching_device::close(int fd) {
    open_.erase(fd);
    return real_.close(fd);
}

void watching_device::close_all() {
    for (const auto& [fd, link] : open_) real_.close(fd);
    open_.clear();
}

}  // namespace apply
