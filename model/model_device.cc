#include "model/model_device.h"

#include <utility>

#include "model/log_lines.h"

namespace model {

model_device::model_device(driver_state initial, failure_plan failures, fill_policy fill)
    : model_device(std::move(initial), std::move(failures), fill, std::make_unique<memory_log>()) {}

model_device::model_device(driver_state initial, failure_plan failures, fill_policy fill,
                           std::unique_ptr<memory_log> log)
    : log_(log.get()), driver_(std::move(initial), std::move(failures), fill, std::move(log)) {}

std::vector<std::string> model_device::log_lines() const {
    std::vector<std::string> lines;
    for (const request_record& record : log()) lines.push_back(log_line(record));
    return lines;
}

}  // namespace model
