#include "standin/preload_session.h"

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "driver/requests.h"
#include "model/link_names.h"
#include "model/state_file.h"
#include "model/state_lock.h"
#include "standin/file_log.h"

namespace standin {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

bool names_link_device(const char* path) {
    return path != nullptr && model::link_device_of_path(path).has_value();
}

std::unique_ptr<preload_session> preload_session::from_environment() {
    const std::string state_path = environment("ZLSTANDIN_STATE");
    const std::string log_path = environment("ZLSTANDIN_LOG");
    const std::string failures = environment("ZLSTANDIN_FAIL");
    const std::string sink_setting = environment("ZLSTANDIN_SINK");
    if (!sink_setting.empty() &&
        (sink_setting != "1" || !state_path.empty() || !log_path.empty() || !failures.empty())) {
        throw std::invalid_argument(
            "ZLSTANDIN_SINK=1 goes with none of ZLSTANDIN_STATE, ZLSTANDIN_LOG, ZLSTANDIN_FAIL");
    }

    std::optional<model::state_folder> folder;
    if (!state_path.empty()) folder.emplace(state_path);
    model::failure_plan plan = model::failure_plan::parse(failures);
    const model::fill_policy fill = model::parse_fill_policy(environment("ZLSTANDIN_FILL"));
    std::unique_ptr<model::log_sink> log;
    if (!log_path.empty()) {
        log = std::make_unique<file_log>(log_path);
    }
    return std::unique_ptr<preload_session>(new preload_session(
        std::move(plan), fill, std::move(log), std::move(folder), sink_setting == "1"));
}

preload_session::preload_session(model::failure_plan failures, model::fill_policy fill,
                                 std::unique_ptr<model::log_sink> log,
                                 std::optional<model::state_folder> folder, bool sink_only)
    : driver_({}, std::move(failures), fill, std::move(log)),
      folder_(std::move(folder)),
      sink_(sink_only) {}

int preload_session::open(const char* path, int flags) {
    if (sink_) return model::kFirstDescriptor;
    if (open_devices_ == 0 && folder_) {
        lock_.emplace(*folder_, model::state_lock::kind::exclusive, "zlstandin",
                      model::state_lock::patience_from_environment());
        read_ = model::load_state(*folder_).value_or(model::driver_state{});
        driver_.replace_state(read_);
    }
    const int fd = driver_.open(path, flags);
    if (fd >= 0) {
        ++open_devices_;
    } else if (open_devices_ == 0) {
        const int error = errno;
        lock_.reset();
        errno = error;
    }
    return fd;
}

int preload_session::sink_ioctl(int fd, unsigned long code) {
    if (fd != model::kFirstDescriptor) {
        errno = EBADF;
        return -1;
    }
    if (code == ZLIOGLINK) {
        errno = ENXIO;
        return -1;
    }
    return 0;
}

int preload_session::close(int fd) {
    if (sink_) return 0;
    const bool link_device = driver_.is_open(fd);
    const int result = driver_.close(fd);
    if (result == 0 && link_device && --open_devices_ == 0 && folder_) {
        // The caller sees errno as the close left it, not as saving did.
        const int saved_errno = errno;
        if (driver_.state() != read_) model::save_state(*folder_, driver_.state());
        lock_.reset();
        errno = saved_errno;
    }
    return result;
}

}  // namespace standin
