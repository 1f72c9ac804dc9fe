// Where the driver's request log goes, one record at a time.
#pragma once

#include <vector>

#include "model/request_record.h"

namespace model {

class log_sink {
public:
    virtual ~log_sink() = default;
    virtual void write(const request_record& record) = 0;
};

// Keeps the records for tests to look at.
class memory_log final : public log_sink {
public:
    void write(const request_record& record) override { records_.push_back(record); }
    const std::vector<request_record>& records() const { return records_; }
    void clear() { records_.clear(); }

private:
    std::vector<request_record> records_;
};

}  // namespace model
