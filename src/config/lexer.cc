#include "lexer.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "lexer_rules.h"
#include "run_failure.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::array<bool, 256> kWordCharacter = [] {
    std::array<bool, 256> word{};
    for (int c = '0'; c <= '9'; ++c) word[static_cast<std::size_t>(c)] = true;
    for (int c = 'a'; c <= 'z'; ++c) word[static_cast<std::size_t>(c)] = true;
    return word;
}();

bool is_word(unsigned char c) {
    return kWordCharacter[c];
}

bool is_blank(unsigned char c) {
    return c == ' ' || c == '\t';
}

// How many word characters (0-9, a-z) begin `text`, up to one more than the
// longest rule text. Words are short: a loop does better than vector code.
std::size_t word_length(const unsigned char* text) {
    std::size_t n = 1;
    while (n <= kLongestRuleText && is_word(text[n])) ++n;
    return n;
}

// How many blanks and tabs begin the 16 bytes at `text`.
std::size_t blank_length(const unsigned char* text) {
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')),
                                       _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')));
    const auto others = ~static_cast<unsigned>(_mm_movemask_epi8(blank));
    return static_cast<std::size_t>(std::countr_zero(others | 0x10000U));
#else
    std::size_t n = 0;
    while (n < 16 && is_blank(text[n])) ++n;
    return n;
#endif
}

// The value of a hexadecimal digit (0-9, a-f), or -1.
constexpr std::array<std::int16_t, 256> kHexValue = [] {
    std::array<std::int16_t, 256> values{};
    values.fill(-1);
    for (int c = '0'; c <= '9'; ++c)
        values[static_cast<std::size_t>(c)] = static_cast<std::int16_t>(c - '0');
    for (int c = 'a'; c <= 'f'; ++c)
        values[static_cast<std::size_t>(c)] = static_cast<std::int16_t>(c - 'a' + 10);
    return values;
}();

constexpr std::size_t kAddressText = 17;  // "hh:hh:hh:hh:hh:hh"

}  // namespace

[[noreturn]] void lexer::fail_too_long() {
    over_limit_ = true;
    throw run_failure(1, yyout_, "Input string too long, limit %d\n", kScanLimit);
}

// The scan that began at pos_ needs the byte at end_: true once more input is
// at hand, false at the end of input. The end counts as a character read, so a
// scan that has read kScanLimit characters ends the run here whatever follows.
// Reads only here, when the scan cannot go on without it, so that a token is
// returned without waiting for input that it does not need.
bool lexer::read_more() {
    if (end_ - pos_ >= kScanLimit) fail_too_long();
    if (input_done_) return false;
    if (kBufferSize - end_ < kScanLimit) {
        // Only the scan in progress is kept; it is shorter than the limit.
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        dropped_ += pos_;
        end_ -= pos_;
        pos_ = 0;
    }
    const std::size_t got =
        in_.read_some(reinterpret_cast<char*>(buffer_.data() + end_), kBufferSize - end_);
    end_ += got;
    buffer_[end_] = '\0';
    if (got == 0) input_done_ = true;
    return got != 0;
}

// The run of blanks of `run` characters at pos_ reached end_: reads on while
// it goes on, and returns its whole length.
std::size_t lexer::read_blanks(std::size_t run) {
    while (pos_ + run == end_ && read_more()) {
        while (is_blank(buffer_[pos_ + run])) ++run;
    }
    return run;
}

// Skips blanks and newlines from pos_ on. A run of blanks and tabs is one scan,
// which reads the character that ends it too.
[[gnu::always_inline]] inline void lexer::skip_space() {
    // Locals, so that the compiler need not read the members again.
    const unsigned char* const text = buffer_.data();
    std::size_t at = pos_;
    int lines = 0;
    for (;;) {
        const unsigned char c = text[at];
        if (c == '\n') {
            ++lines;
            ++at;
            continue;
        }
        if (!is_blank(c)) break;
        pos_ = at++;
        if (is_blank(text[at])) {
            // Longer runs (indentation) sixteen bytes at a time: a byte at a
            // time costs 22 % more instructions on comment-heavy input.
            for (std::size_t n = 16; n == 16; at += n) n = blank_length(text + at);
        }
        std::size_t run = at - pos_;
        if (at == end_) {
            lineno += lines;
            lines = 0;
            run = read_blanks(run);
        }
        if (run >= kScanLimit) {
            // The newlines before the run count, as they do when a read
            // inside the run fails: the line is the same however input came.
            lineno += lines;
            fail_too_long();
        }
        at = pos_ + run;
    }
    lineno += lines;
    pos_ = at;
}

// "^#" up to a newline, which is consumed and counted with it. Without the
// newline (a NUL or the end of input comes first) it is no comment: the caret
// is echoed and the rest is scanned afresh.
void lexer::skip_comment() {
    if ((pos_ + 1 < end_ || read_more()) && buffer_[pos_ + 1] == '#') {
        std::size_t length = 2;
        for (;;) {
            const char* from = reinterpret_cast<const char*>(buffer_.data() + pos_ + length);
            length += static_cast<std::size_t>(strchrnul(from, '\n') - from);
            if (pos_ + length < end_ || !read_more()) break;
        }
        // The character that ends the text is read too.
        if (length + 1 > kScanLimit) fail_too_long();
        if (pos_ + length < end_ && buffer_[pos_ + length] == '\n') {
            ++lineno;
            pos_ += length + 1;
            return;
        }
    }
    echo_one();
}

void lexer::echo_one() {
    echo_.echoed(static_cast<char>(buffer_[pos_]), dropped_ + pos_);
    ++pos_;
}

// The token of `length` characters at pos_, which carries `number`.
[[gnu::always_inline]] inline int lexer::token(int tok, std::int32_t number, std::size_t length) {
    token_offset_ = dropped_ + pos_;
    std::memcpy(yytext_.data(), buffer_.data() + pos_, kLongestRuleText + 1);
    yytext_[length] = '\0';
    yyleng_ = static_cast<int>(length);
    pos_ += length;
    yylval_.number = number;
    return tok;
}

// The word of `length` characters at pos_ reached end_: reads on while it is the
// beginning of a longer rule text, as far as a rule text can go.
std::size_t lexer::read_word(std::size_t length) {
    while (pos_ + length == end_ && length <= kLongestRuleText) {
        const rule_text* so_far = kRules.find(buffer_.data() + pos_, length);
        if (so_far == nullptr || !kRules.extends(*so_far) || !read_more()) break;
        while (is_word(buffer_[pos_ + length])) ++length;
    }
    return length;
}

// The longest rule text at pos_, which is a word character: a rule text made
// of word characters never runs past the word. 0 when no rule text begins here.
[[gnu::always_inline]] inline int lexer::match_word() {
    std::size_t length = word_length(buffer_.data() + pos_);
    if (pos_ + length == end_) length = read_word(length);
    for (length = std::min(length, kLongestRuleText); length > 0; --length) {
        const rule_text* match = kRules.find(buffer_.data() + pos_, length);
        if (match != nullptr && match->token != 0)
            return token(match->token, match->number, length);
    }
    return 0;
}

// Blanks before the address are skipped as one short run; a long run is left
// to yylex, which keeps count of it. Only bytes at hand are looked at.
bool lexer::scan_address(std::array<std::int32_t, 6>& bytes) {
    std::size_t at = pos_;
    while (at - pos_ < 64 && is_blank(buffer_[at])) ++at;  // the NUL after end_ stops it
    if (end_ - at <= kAddressText) return false;
    const unsigned char* text = buffer_.data() + at;
    for (std::size_t i = 0; i < 6; ++i) {
        const int high = kHexValue[text[3 * i]];
        const int low = kHexValue[text[3 * i + 1]];
        if (high < 0 || low < 0 || (i < 5 && text[3 * i + 2] != ':')) return false;
        bytes[i] = high * 16 + low;
    }
    // A word character after the last two digits could make them part of a
    // longer token ("10bt"): then the tokens are found one by one.
    if (is_word(text[kAddressText])) return false;
    pos_ = at + kAddressText - 2;
    token(HEX, bytes[5], 2);
    return true;
}

int lexer::yylex() {
    while (!ended_) {
        skip_space();
        const unsigned char c = buffer_[pos_];
        if (is_word(c)) {
            if (const int tok = match_word(); tok != 0) return tok;
            echo_one();
        } else if (c == ':' || c == ';') {
            return c == ':' ? token(COLON, ':', 1) : token(END, END, 1);
        } else if (c == '^') {
            skip_comment();
        } else if (c != '\0') {
            echo_one();
        } else if (pos_ < end_ || !read_more()) {
            // A NUL byte ends the input as the end of the stream does.
            ended_ = true;
            token_offset_ = dropped_ + pos_;
            return END_OF_INPUT;
        }
    }
    return END_OF_INPUT;
}
