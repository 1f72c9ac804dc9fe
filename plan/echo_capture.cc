#include "plan/echo_capture.h"

#include <algorithm>
#include <stdexcept>

#include "globals.h"

namespace plan {

echo_capture::echo_capture(const source_text& source) : source_(source) {
    const cookie_io_functions_t functions{nullptr, &echo_capture::write, nullptr, nullptr};
    stream_ = fopencookie(this, "w", functions);
    if (stream_ == nullptr) throw std::runtime_error("cannot make the echo stream");
    std::setvbuf(stream_, nullptr, _IONBF, 0);
}

echo_capture::~echo_capture() {
    std::fclose(stream_);
}

ssize_t echo_capture::write(void* self, const char* bytes, std::size_t size) {
    auto& capture = *static_cast<echo_capture*>(self);
    for (std::size_t i = 0; i < size; ++i) capture.place(bytes[i]);
    return static_cast<ssize_t>(size);
}

// An echoed character stands after the last token returned, on the line the
// lexer is counting, and after the characters echoed before it; its first
// occurrence there is it, since blanks and comments (which run to the end of
// their line) are all that the lexer skips without a token.
void echo_capture::place(char c) {
    const std::string& text = source_.text();
    std::uint64_t from = next_;
    if (lex_ != nullptr && lex_->yyleng() > 0) {
        from = std::max<std::uint64_t>(
            from, lex_->token_offset() + static_cast<std::uint64_t>(lex_->yyleng()));
    }
    from = std::max(from, source_.line_start(static_cast<int>(lineno)));
    std::uint64_t at = text.find(c, std::min<std::uint64_t>(from, text.size()));
    if (at == std::string::npos) at = from;  // not to be found: keep it in order
    const source_point point = source_.point_at(at);
    if (ignored_.empty() || at != last_ + 1) {
        ignored_.push_back({point.line, point.column, {}});
    }
    ignored_.back().text += c;
    last_ = at;
    next_ = at + 1;
}

}  // namespace plan
