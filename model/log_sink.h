// Where the driver's request log goes, one line at a time.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace model {

class log_sink {
public:
    virtual ~log_sink() = default;
    // `line` has no newline.
    virtual void write_line(std::string_view line) = 0;
};

// Keeps the lines for tests to look at.
class memory_log final : public log_sink {
public:
    void write_line(std::string_view line) override { lines_.emplace_back(line); }
    const std::vector<std::string>& lines() const { return lines_; }
    void clear() { lines_.clear(); }

private:
    std::vector<std::string> lines_;
};

}  // namespace model
