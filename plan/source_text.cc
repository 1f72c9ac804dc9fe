#include "plan/source_text.h"

#include <algorithm>
#include <cstring>

namespace plan {

source_text::source_text(std::string text) : text_(std::move(text)), line_starts_{0} {
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == '\n') line_starts_.push_back(i + 1);
    }
}

source_point source_text::point_at(std::uint64_t offset) const {
    const std::size_t at = std::min<std::uint64_t>(offset, text_.size());
    // The last line that starts at or before the offset.
    const auto after = std::upper_bound(line_starts_.begin(), line_starts_.end(), at);
    const auto line_number = static_cast<std::size_t>(after - line_starts_.begin());
    return {static_cast<int>(line_number),
            static_cast<int>(at - line_starts_[line_number - 1]) + 1};
}

std::string_view source_text::line(int number) const {
    if (number < 1 || static_cast<std::size_t>(number) > line_starts_.size()) return {};
    const std::size_t start = line_starts_[static_cast<std::size_t>(number) - 1];
    std::size_t end = text_.find('\n', start);
    if (end == std::string::npos) end = text_.size();
    std::string_view content(text_.data() + start, end - start);
    if (content.ends_with('\r')) content.remove_suffix(1);
    return content;
}

std::uint64_t source_text::line_start(int number) const {
    if (number < 1 || static_cast<std::size_t>(number) > line_starts_.size()) return text_.size();
    return line_starts_[static_cast<std::size_t>(number) - 1];
}

std::size_t source_bytes::read_some(char* buffer, std::size_t capacity) {
    const std::size_t n = std::min(capacity, text_.size() - at_);
    std::memcpy(buffer, text_.data() + at_, n);
    at_ += n;
    return n;
}

}  // namespace plan
