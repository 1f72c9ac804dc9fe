#include "plan/source_window.h"

#include <algorithm>
#include <cstring>

namespace plan {

std::size_t source_window::read_some(char* buffer, std::size_t capacity) {
    if (lex_ != nullptr) forget_before_current_line();
    const std::size_t got = in_.read_some(buffer, capacity);
    const std::uint64_t from = kept_from_ + text_.size();
    for (std::size_t i = 0; i < got; ++i) {
        if (buffer[i] == '\n') line_starts_.push_back(from + i + 1);
    }
    text_.append(buffer, got);
    return got;
}

// Everything a plan still asks about lies on the line the lexer stands on or
// later, and after the last token and the last echoed character: of a long
// line only kLongestQuote bytes before those are kept.
void source_window::forget_before_current_line() {
    const std::size_t line = static_cast<std::size_t>(std::clamp<std::int64_t>(
        lex_->line() - first_line_, 0, static_cast<std::int64_t>(line_starts_.size()) - 1));
    line_starts_.erase(line_starts_.begin(),
                       line_starts_.begin() + static_cast<std::ptrdiff_t>(line));
    first_line_ += static_cast<std::int64_t>(line);
    std::uint64_t keep = line_starts_.front();
    const std::uint64_t latest = std::max(lex_->token_offset(), latest_);
    if (latest > keep + kLongestQuote) keep = latest - kLongestQuote;
    if (keep <= kept_from_) return;
    text_.erase(0, static_cast<std::size_t>(keep - kept_from_));
    kept_from_ = keep;
}

// The index in line_starts_ of the line that holds `offset`.
std::size_t source_window::line_index(std::uint64_t offset) const {
    const auto after = std::upper_bound(line_starts_.begin(), line_starts_.end(), offset);
    return after == line_starts_.begin()
               ? 0
               : static_cast<std::size_t>(after - line_starts_.begin()) - 1;
}

source_point source_window::point_at(std::uint64_t offset) const {
    const std::size_t line = line_index(offset);
    return {first_line_ + static_cast<std::int64_t>(line),
            static_cast<std::int64_t>(offset - std::min(offset, line_starts_[line])) + 1};
}

std::uint64_t source_window::line_start(std::int64_t number) const {
    const std::int64_t index = std::max<std::int64_t>(number - first_line_, 0);
    if (static_cast<std::size_t>(index) >= line_starts_.size()) return kept_from_ + text_.size();
    return line_starts_[static_cast<std::size_t>(index)];
}

std::uint64_t source_window::find(char c, std::uint64_t from) const {
    const std::uint64_t start = std::max(from, kept_from_) - kept_from_;
    if (start >= text_.size()) return UINT64_MAX;
    const std::size_t at = text_.find(c, static_cast<std::size_t>(start));
    return at == std::string::npos ? UINT64_MAX : kept_from_ + at;
}

source_window::quote source_window::quote_at(std::uint64_t offset) const {
    const std::size_t line = line_index(offset);
    const std::uint64_t start = std::max(line_starts_[line], kept_from_);
    const std::size_t from = static_cast<std::size_t>(start - kept_from_);
    std::size_t end = text_.find('\n', from);
    if (end == std::string::npos) end = text_.size();
    std::string_view content(text_.data() + from, end - from);
    if (content.ends_with('\r')) content.remove_suffix(1);
    // A NUL ends the input for the lexer, and the quote with it.
    content = content.substr(0, content.find('\0'));
    return {std::string(content), static_cast<int>(offset - std::min(offset, start)) + 1};
}

}  // namespace plan

namespace plan {

// Each scan stops at the first byte that ends a word, so that finding the
// words of a line costs what the line holds, however many runs it has.
source_window::span source_window::word_around(std::uint64_t offset) const {
    const std::uint64_t read = kept_from_ + text_.size();
    if (offset < kept_from_ || offset >= read || ends_word(text_[offset - kept_from_])) {
        return {offset, offset};
    }
    std::size_t start = static_cast<std::size_t>(offset - kept_from_);
    while (start > 0 && !ends_word(text_[start - 1]) && text_[start - 1] != '\0') --start;
    std::size_t end = static_cast<std::size_t>(offset - kept_from_);
    while (end < text_.size() && !ends_word(text_[end]) && text_[end] != '\0') ++end;
    return {kept_from_ + start, kept_from_ + end};
}

bool source_window::word_ends_between(std::uint64_t from, std::uint64_t to) const {
    if (from < kept_from_) return true;
    const std::uint64_t read = kept_from_ + text_.size();
    for (std::uint64_t at = from; at < std::min(to, read); ++at) {
        const char c = text_[static_cast<std::size_t>(at - kept_from_)];
        if (ends_word(c) || c == '\0') return true;
    }
    return false;
}

std::string source_window::text(std::uint64_t from, std::uint64_t to, std::size_t limit) const {
    from = std::max(from, kept_from_);
    to = std::min({to, kept_from_ + text_.size(), from + limit});
    if (to <= from) return {};
    return text_.substr(static_cast<std::size_t>(from - kept_from_),
                        static_cast<std::size_t>(to - from));
}

bool source_window::first_on_line(std::uint64_t offset) const {
    const std::uint64_t start = line_starts_[line_index(offset)];
    if (start < kept_from_ || offset > kept_from_ + text_.size()) return false;
    for (std::uint64_t at = start; at < offset; ++at) {
        const char c = text_[static_cast<std::size_t>(at - kept_from_)];
        if (c != ' ' && c != '\t') return false;
    }
    return true;
}

bool source_window::goes_on_after_nul(std::uint64_t offset) {
    const std::uint64_t read = kept_from_ + text_.size();
    if (offset < kept_from_ || offset >= read || text_[offset - kept_from_] != '\0') return false;
    if (offset + 1 < read) return true;
    char more = 0;
    return in_.read_some(&more, 1) > 0;
}

}  // namespace plan
