#include "plan/echo_capture.h"

#include <algorithm>
#include <new>

#include "globals.h"
#include "plan/written_word.h"
#include "text/quoted.h"

namespace plan {

echo_capture::echo_capture(source_window& source, plan_output& out, whole_plan& plan)
    : source_(source), out_(out), plan_(plan) {
    const cookie_io_functions_t functions{nullptr, &echo_capture::write, nullptr, nullptr};
    stream_ = fopencookie(this, "w", functions);
    if (stream_ == nullptr) throw std::bad_alloc();  // it fails only for want of memory
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
    std::uint64_t from = next_;
    if (lex_ != nullptr && lex_->yyleng() > 0) {
        from = std::max<std::uint64_t>(
            from, lex_->token_offset() + static_cast<std::uint64_t>(lex_->yyleng()));
    }
    from = std::max(from, source_.line_start(lineno));
    std::uint64_t at = source_.find(c, from);
    const bool found = at != UINT64_MAX;
    if (!found) at = from;  // not to be found: keep it in order
    const source_point point = source_.point_at(at);
    if (!run_ || at != last_ + 1) {
        finish();
        run_ = ignored_text{point.line, point.column, {}};
        warn(found ? at : UINT64_MAX, point, c);
    }
    run_->text += c;
    last_ = at;
    next_ = at + 1;
    source_.reached(next_);
}

// Once per word: a word may hold several runs. A '#' that begins a line is
// what a reader takes for a comment, and zlconf does not.
// `at` is UINT64_MAX for a character not found in the source.
void echo_capture::warn(std::uint64_t at, const source_point& point, char c) {
    const source_window::quote quote =
        at == UINT64_MAX ? source_window::quote{} : source_.quote_at(at);
    const written_word word = word_at(quote.text, quote.column);
    const source_point word_point{point.line, point.column - (quote.column - word.column)};
    if (word_point.line == warned_.line && word_point.column == warned_.column) return;
    // The rest of such a line is what its writer meant as a comment: one
    // warning says it.
    if (point.line == hash_line_) return;
    std::string text;
    if (word.text.empty()) {
        text = quoted(std::string_view(&c, 1)) +
               " forms no token; zlconf copies it to standard output and otherwise ignores it";
    } else if (word.text.starts_with('#') &&
               quote.text.find_first_not_of(" \t") + 1 == static_cast<std::size_t>(word.column)) {
        text = "comments begin with `^#`; this line is carried out";
        hash_line_ = point.line;
    } else {
        text = ignored_word_warning(word.text);
    }
    warned_ = word_point;
    ++plan_.warnings;
    out_.warning(plan_, {word_point, text});
}

void echo_capture::finish() {
    if (run_) out_.ignored(plan_, *run_);
    run_.reset();
}

}  // namespace plan
