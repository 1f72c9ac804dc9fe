#include "standin/model_device.h"

#include <utility>

namespace standin {

model_device::model_device(driver_state initial, failure_plan failures)
    : model_device(std::move(initial), std::move(failures), std::make_unique<memory_log>()) {}

model_device::model_device(driver_state initial, failure_plan failures,
                           std::unique_ptr<memory_log> log)
    : log_(log.get()), driver_(std::move(initial), std::move(failures), std::move(log)) {}

}  // namespace standin
