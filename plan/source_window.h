// The input as a plan reads it: passed on to the lexer as it comes, and kept
// only from the line of the last token on, so that a plan can say where things
// stand (line and column) and quote the line of a syntax error without
// holding the whole input: memory stays bounded however long the input.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "config/byte_source.h"
#include "config/lexer.h"
#include "plan/link_plan.h"

namespace plan {

class source_window final : public byte_source {
public:
    /// Of a very long line, this much before the last token is kept.
    static constexpr std::size_t kLongestQuote = 4096;

    explicit source_window(byte_source& in) : in_(in) {}

    /// The lexer that reads this source: what lies before the line it stands
    /// on is forgotten whenever it reads on.
    void watch(const lexer& lex) { lex_ = &lex; }
    /// A position the plan has reached without a token (an echoed character).
    void reached(std::uint64_t offset) { latest_ = std::max(latest_, offset); }

    std::size_t read_some(char* buffer, std::size_t capacity) override;

    /// Line and column (both from 1, the column in bytes) of a byte offset at
    /// or after the line of the last token.
    source_point point_at(std::uint64_t offset) const;
    /// Whether `c` ends a word: a blank, a tab, ';' or a line end.
    static bool ends_word(char c) {
        return c == ' ' || c == '\t' || c == ';' || c == '\r' || c == '\n';
    }
    /// Where a line starts, for the line of the last token or a later one; the
    /// end of what has been read for a line past the last.
    std::uint64_t line_start(std::int64_t number) const;
    /// The first `c` at or after `from` in what has been read, or UINT64_MAX.
    std::uint64_t find(char c, std::uint64_t from) const;

    /// The kept text of the line that holds `offset`, without its line end,
    /// and the column of `offset` in that text.
    struct quote {
        std::string text;
        int column = 1;
    };
    quote quote_at(std::uint64_t offset) const;

    /// The word that holds `offset`, as word_at finds it in its line, from
    /// the bytes kept: where it starts and ends, `end` the end of what has been
    /// read when it goes on past that. Empty (start == end) when `offset`
    /// ends words itself.
    struct span {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
    };
    span word_around(std::uint64_t offset) const;
    /// Whether a word ends anywhere from `from` to `to`; true when those
    /// bytes are no longer kept.
    bool word_ends_between(std::uint64_t from, std::uint64_t to) const;
    /// Up to `limit` of the bytes kept from `from` to `to`.
    std::string text(std::uint64_t from, std::uint64_t to, std::size_t limit) const;
    /// Whether the byte at `offset` is a NUL that bytes follow: zlconf's
    /// input ends there, and the rest is never read. May read one more
    /// piece of the input, when the NUL is the last byte read.
    bool goes_on_after_nul(std::uint64_t offset);
    /// Whether only blanks and tabs stand before `offset` on its line.
    bool first_on_line(std::uint64_t offset) const;

    /// Bytes held now; a window, however long the input.
    std::size_t kept() const { return text_.size(); }

private:
    void forget_before_current_line();
    std::size_t line_index(std::uint64_t offset) const;

    byte_source& in_;
    const lexer* lex_ = nullptr;
    std::string text_;  // the input from kept_from_ to what has been read
    std::uint64_t kept_from_ = 0;
    std::deque<std::uint64_t> line_starts_{0};  // of the lines from first_line_ on
    std::int64_t first_line_ = 1;
    std::uint64_t latest_ = 0;
};

}  // namespace plan
