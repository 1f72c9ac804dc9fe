#include "plan/echo_capture.h"

#include "model/name_text.h"
#include "plan/written_word.h"
#include "text/formatting.h"

namespace plan {

void echo_capture::echoed(char c, std::uint64_t at) {
    if (!run_ || at != last_ + 1 || run_->text.size() == kLongestIgnored) {
        const source_point point = source_.point_at(at);
        const bool continued = run_ && at == last_ + 1;
        finish();
        run_ = ignored_text{point.line, point.column, {}};
        if (!continued) warn(at, point, c);
    }
    run_->text += c;
    last_ = at;
    source_.reached(at + 1);
}

// Once per word: a word may hold several runs. A '#' that begins a line is
// what a reader takes for a comment, and zlconf does not.
void echo_capture::warn(std::uint64_t at, const source_point& point, char c) {
    // The rest of such a line is what its writer meant as a comment: one
    // warning says it.
    if (point.line == hash_line_) return;
    if (at >= word_.start && at < word_.end) return;
    // The same word when none ends since: it went on past what had been read
    // when it was warned about.
    if (word_.end > word_.start && at >= word_.end && !source_.word_ends_between(word_.end, at)) {
        word_.end = at + 1;
        return;
    }
    const source_window::span word = source_.word_around(at);
    word_ = word;
    std::string text;
    if (word.start == word.end) {
        text = quoted(model::name_for_display(std::string_view(&c, 1))) +
               " forms no token; zlconf copies it to standard output and otherwise ignores it";
        warn_at(point, text);
        return;
    }
    const source_point word_point = source_.point_at(word.start);
    const std::string written = source_.text(word.start, word.end, kLongestWord + 1);
    if (written.starts_with('#') && source_.first_on_line(word.start)) {
        text = "comments begin with `^#`; this line is carried out";
        hash_line_ = point.line;
    } else if (written.size() > kLongestWord) {
        text = quoted(model::name_for_display(written.substr(0, kLongestWord)), "`", "…`") +
               " holds characters that form no token, which zlconf ignores";
    } else {
        text = ignored_word_warning(written);
    }
    warn_at(word_point, text);
}

void echo_capture::warn_at(const source_point& at, const std::string& text) {
    ++plan_.warnings;
    out_.warning(plan_, {at, text});
}

void echo_capture::finish() {
    if (run_) out_.ignored(plan_, *run_);
    run_.reset();
}

}  // namespace plan
