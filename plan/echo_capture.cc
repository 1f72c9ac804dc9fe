#include "plan/echo_capture.h"

#include "plan/written_word.h"
#include "text/quoted.h"

namespace plan {

void echo_capture::echoed(char c, std::uint64_t at) {
    const source_point point = source_.point_at(at);
    if (!run_ || at != last_ + 1) {
        finish();
        run_ = ignored_text{point.line, point.column, {}};
        warn(at, point, c);
    }
    run_->text += c;
    last_ = at;
    source_.reached(at + 1);
}

// Once per word: a word may hold several runs. A '#' that begins a line is
// what a reader takes for a comment, and zlconf does not.
void echo_capture::warn(std::uint64_t at, const source_point& point, char c) {
    const source_window::quote quote = source_.quote_at(at);
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
