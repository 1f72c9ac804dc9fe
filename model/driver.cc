#include "model/driver.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "model/link_names.h"
#include "model/log_lines.h"

// Under valgrind's memcheck, a request record with an uninitialised byte
// anywhere in it is an error, whether or not this request reads that byte:
// a real driver copies the whole record in, and the tool's heap never goes
// to the kernel. Elsewhere the check costs nothing.
#if __has_include(<valgrind/memcheck.h>)
#include <valgrind/memcheck.h>
#define MODEL_CHECK_DEFINED(address, length) VALGRIND_CHECK_MEM_IS_DEFINED(address, length)
#else
#define MODEL_CHECK_DEFINED(address, length) ((void)(address), (void)(length))
#endif

namespace model {

namespace {

int failed(int error) {
    errno = error;
    return -1;
}

std::optional<std::uint32_t> known_code(unsigned long code) {
    if (known_request(code) == nullptr) return std::nullopt;
    return static_cast<std::uint32_t>(code);
}

bool carries_record(std::uint32_t code) {
    return (code & kDirIn) != 0;
}

request_record opened(std::string path, int flags, int error) {
    return {request_record::kind::open, std::move(path), flags, 0, std::nullopt, error};
}

// `request` is the copied-in record, or null when there is none or it could
// not be read.
request_record requested(std::string who, unsigned long code, const link_req* request, int error) {
    request_record record{
        request_record::kind::request, std::move(who), 0, code, std::nullopt, error};
    if (request != nullptr && known_request(code) != nullptr) {
        record.fields = decode_fields(static_cast<std::uint32_t>(code), *request);
    }
    return record;
}

request_record closed(std::string who, int error) {
    return {request_record::kind::close, std::move(who), 0, 0, std::nullopt, error};
}

}  // namespace

driver::driver(driver_state initial, failure_plan failures, fill_policy fill,
               std::unique_ptr<log_sink> log, int first_descriptor)
    : model_(std::move(initial), fill),
      failures_(std::move(failures)),
      log_(std::move(log)),
      first_descriptor_(first_descriptor) {
    model_.answer_removed_segment_with(failures_.on_removed_segment());
}

template <typename MakeRecord>
void driver::log(MakeRecord make_record) {
    if (log_) {
        log_->write(make_record());
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
        log([&] { return opened("(null)", flags, EFAULT); });
        return failed(EFAULT);
    }
    const std::optional<std::string_view> device = link_device_of_path(path);
    const int error = device ? failures_.on_open(*device) : ENOENT;
    log([&] { return opened(path, flags, error); });
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
        log([&] { return requested(unknown_descriptor(fd), code, nullptr, EBADF); });
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
            MODEL_CHECK_DEFINED(arg, sizeof(link_req));
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
    log([&] { return requested(device, code, request ? &*request : nullptr, error); });
    return error == 0 ? 0 : failed(error);
}

int driver::close(int fd) {
    const auto open_device = open_devices_.find(fd);
    if (open_device == open_devices_.end()) {
        log([&] { return closed(unknown_descriptor(fd), EBADF); });
        return failed(EBADF);
    }
    log([&] { return closed(open_device->second, 0); });
    open_devices_.erase(open_device);
    return 0;
}

}  // namespace model
