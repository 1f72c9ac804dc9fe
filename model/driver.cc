#include "model/driver.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

#include "model/link_names.h"
#include "model/log_lines.h"

// Under valgrind's memcheck, a request record with an uninitialised byte
// anywhere in it is an error, whether or not this request reads that byte:
// a real driver copies the whole record in, and the tool's heap never goes
// to the kernel. Elsewhere the check costs nothing.
#if __has_include(<valgrind/memcheck.h>)
#include <valgrind/memcheck.h>
#define STANDIN_CHECK_DEFINED(address, length) VALGRIND_CHECK_MEM_IS_DEFINED(address, length)
#else
#define STANDIN_CHECK_DEFINED(address, length) ((void)(address), (void)(length))
#endif

namespace model {

namespace {

int failed(int error) {
    errno = error;
    return -1;
}

std::optional<std::uint32_t> known_code(unsigned long code) {
    if (code > UINT32_MAX || request_name(static_cast<std::uint32_t>(code)) == nullptr) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(code);
}

bool carries_record(std::uint32_t code) {
    return (code & kDirIn) != 0;
}

}  // namespace

driver::driver(driver_state initial, failure_plan failures, fill_policy fill,
               std::unique_ptr<log_sink> log, int first_descriptor)
    : model_(std::move(initial), fill),
      failures_(std::move(failures)),
      log_(std::move(log)),
      first_descriptor_(first_descriptor) {}

template <typename MakeLine>
void driver::log(MakeLine make_line) {
    if (log_) {
        log_->write_line(make_line());
    }
}

int driver::lowest_free_descriptor() const {
    int candidate = first_descriptor_;
    for (auto it = open_devices_.lower_bound(candidate);
         it != open_devices_.end() && it->first == candidate; ++it) {
        ++candidate;
    }
    return candidate;
}

int driver::open(const char* path, int flags) {
    if (path == nullptr) {
        log([&] { return open_line("(null)", flags, EFAULT); });
        return failed(EFAULT);
    }
    const std::optional<std::string_view> device = link_device_of_path(path);
    const int error = device ? failures_.on_open(*device) : ENOENT;
    log([&] { return open_line(path, flags, error); });
    if (error != 0) {
        return failed(error);
    }
    const int fd = lowest_free_descriptor();
    open_devices_.emplace(fd, std::string(*device));
    return fd;
}

// In the order a kernel and its driver would check: the descriptor, the code,
// copying the record in, then the driver's own verdict.
int driver::ioctl(int fd, unsigned long code, void* arg) {
    const auto open_device = open_devices_.find(fd);
    if (open_device == open_devices_.end()) {
        log([&] { return request_line(unknown_descriptor(fd), code, nullptr, EBADF); });
        return failed(EBADF);
    }
    const std::string& device = open_device->second;
    const std::optional<std::uint32_t> request_code = known_code(code);
    std::optional<link_req> request;
    int error = 0;
    if (!request_code) {
        error = EINVAL;
    } else if (carries_record(*request_code)) {
        if (arg == nullptr) {
            error = EFAULT;
        } else {
            STANDIN_CHECK_DEFINED(arg, sizeof(link_req));
            request.emplace();
            std::memcpy(&*request, arg, sizeof(link_req));
        }
    }
    if (error == 0) {
        error = failures_.on_request(*request_code);
    }
    if (error == 0) {
        error = model_.handle(device, *request_code, request.value_or(link_req{}));
    }
    log([&] { return request_line(device, code, request ? &*request : nullptr, error); });
    return error == 0 ? 0 : failed(error);
}

int driver::close(int fd) {
    const auto open_device = open_devices_.find(fd);
    if (open_device == open_devices_.end()) {
        log([&] { return close_line(unknown_descriptor(fd), EBADF); });
        return failed(EBADF);
    }
    log([&] { return close_line(open_device->second, 0); });
    open_devices_.erase(open_device);
    return 0;
}

}  // namespace model
