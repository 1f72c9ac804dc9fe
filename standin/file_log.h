// A request log appended to a file, one write per line, so that lines from
// consecutive runs (or processes) interleave whole and survive a sudden exit.
#pragma once

#include <string>

#include "model/log_sink.h"

namespace standin {

class file_log final : public model::log_sink {
public:
    // Throws std::runtime_error when the file cannot be opened for appending.
    explicit file_log(std::string path);
    ~file_log() override;
    file_log(const file_log&) = delete;
    file_log& operator=(const file_log&) = delete;

    // Throws std::runtime_error when the line cannot be written.
    void write(const model::request_record& record) override;

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace standin
