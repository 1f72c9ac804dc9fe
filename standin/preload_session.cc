#include "standin/preload_session.h"

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "driver/requests.h"
#include "model/link_names.h"
#include "model/state_file.h"
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

    model::driver_state initial =
        state_path.empty() ? model::driver_state{} : model::load_state_file(state_path);
    model::failure_plan plan = model::failure_plan::parse(failures);
    const model::fill_policy fill = model::parse_fill_policy(environment("ZLSTANDIN_FILL"));
    std::unique_ptr<model::log_sink> log;
    if (!log_path.empty()) {
        log = std::make_unique<file_log>(log_path);
    }
    return std::unique_ptr<preload_session>(new preload_session(std::move(initial), std::move(plan),
                                                                fill, std::move(log), state_path,
                                                                sink_setting == "1"));
}

preload_session::preload_session(model::driver_state initial, model::failure_plan failures,
                                 model::fill_policy fill, std::unique_ptr<model::log_sink> log,
                                 std::string state_path, bool sink_only)
    : driver_(std::move(initial), std::move(failures), fill, std::move(log)),
      state_path_(std::move(state_path)),
      sink_(sink_only) {}

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
    if (result == 0 && link_device && !state_path_.empty()) {
        // The caller sees errno as the close left it, not as saving did.
        const int saved_errno = errno;
        model::save_state_file(state_path_, driver_.state());
        errno = saved_errno;
    }
    return result;
}

}  // namespace standin
