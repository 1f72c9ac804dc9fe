#include "lexer.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "globals.h"
#include "lexer_rules.h"
#include "run_failure.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

int hex_digit_value(char c) {
    return c <= '9' ? c - '0' : c - 'a' + 10;
}

}  // namespace

// Makes `wanted` bytes available from pos_ if the input has them; reads only
// when the bytes at hand are not enough, so that a token is returned without
// waiting for input that it does not need.
bool lexer::fill(std::size_t wanted) {
    while (end_ - pos_ < wanted) {
        if (input_done_) return false;
        if (buffer_.size() - end_ < wanted) {
            std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
            end_ -= pos_;
            dropped_ += pos_;
            pos_ = 0;
        }
        const std::size_t got = in_.read_some(buffer_.data() + end_, buffer_.size() - end_);
        if (got == 0) input_done_ = true;
        end_ += got;
    }
    return true;
}

int lexer::peek(std::size_t offset) {
    if (pos_ + offset < end_ || fill(offset + 1)) {
        return static_cast<unsigned char>(buffer_[pos_ + offset]);
    }
    return kEnd;
}

[[noreturn]] void lexer::fail_too_long() {
    throw run_failure(1, yyout_, "Input string too long, limit %d\n", kScanLimit);
}

// A run of blanks and tabs is one scan. The character that ends the run is
// read too, so a run of kScanLimit characters makes the next read the one too
// many, whatever it is.
void lexer::skip_blanks() {
    std::size_t run = 0;
    for (;;) {
        const std::size_t from = pos_;
        while (pos_ < end_ && (buffer_[pos_] == ' ' || buffer_[pos_] == '\t')) ++pos_;
        run += pos_ - from;
        if (run >= kScanLimit) fail_too_long();
        if (pos_ < end_ || !fill(1)) return;
    }
}

// "^#" up to a newline. Without the newline (the input ends first, or a NUL
// byte comes) it is no comment, and its characters are scanned afresh; so the
// whole text is kept until its end is seen.
bool lexer::skip_comment() {
    if (peek(1) != '#') return false;
    std::size_t text = 2;
    for (;;) {
        if (!fill(text + 1)) return false;
        const char* from = buffer_.data() + pos_ + text;
        const std::size_t span =
            std::min(end_ - pos_ - text, static_cast<std::size_t>(kScanLimit) - text);
        const char* newline = static_cast<const char*>(std::memchr(from, '\n', span));
        const std::size_t body =
            newline != nullptr ? static_cast<std::size_t>(newline - from) : span;
        if (std::memchr(from, '\0', body) != nullptr) return false;
        if (newline != nullptr) {
            pos_ += text + body;  // the newline is scanned next, and counted
            return true;
        }
        text += span;
        if (text == kScanLimit) fail_too_long();
    }
}

// The longest rule text at pos_, reading no further than some rule could go.
// The length of the run of word characters (0-9, a-z) at `text`, at most 16.
bool is_word_start(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z');
}

std::size_t word_length(const char* text) {
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('0' - 1)),
                                        _mm_cmplt_epi8(bytes, _mm_set1_epi8('9' + 1)));
    const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('a' - 1)),
                                         _mm_cmplt_epi8(bytes, _mm_set1_epi8('z' + 1)));
    const auto others = ~static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(digit, letter)));
    return static_cast<std::size_t>(std::countr_zero(others | 0x10000U));
#else
    std::size_t n = 0;
    while (n < 16 && ((text[n] >= '0' && text[n] <= '9') || (text[n] >= 'a' && text[n] <= 'z')))
        ++n;
    return n;
#endif
}

// Masks that keep the first n bytes of what is loaded from memory.
template <typename Word>
constexpr std::array<Word, 17> keep_first_bytes() {
    std::array<Word, 17> masks{};
    for (std::size_t n = 0; n <= 16; ++n) {
        Word mask = 0;
        for (std::size_t i = 0; i < n && i < sizeof(Word); ++i) {
            const std::size_t lane =
                std::endian::native == std::endian::little ? i : sizeof(Word) - 1 - i;
            mask |= Word{0xFF} << (8 * lane);
        }
        masks[n] = mask;
    }
    return masks;
}
constexpr std::array<std::uint64_t, 17> kLowMask = keep_first_bytes<std::uint64_t>();
constexpr std::array<std::uint32_t, 17> kHighMask = [] {
    std::array<std::uint32_t, 17> masks{};
    const auto four = keep_first_bytes<std::uint32_t>();
    for (std::size_t n = 0; n <= 16; ++n)
        masks[n] = four[n <= 8 ? 0 : std::min<std::size_t>(n - 8, 4)];
    return masks;
}();

[[gnu::always_inline]] inline int lexer::match_word() {
    const char* text = buffer_.data() + pos_;
    const std::size_t length = word_length(text);
    if (length - 1 >= kLongestRuleText) return 0;  // empty, or longer than any rule text

    std::uint64_t low;
    std::uint32_t high;
    std::memcpy(&low, text, sizeof low);
    std::memcpy(&high, text + sizeof low, sizeof high);
    const word_key key{
        low & kLowMask[length],
        (high & kHighMask[length]) | (static_cast<std::uint32_t>(length) << kLengthShift)};
    const word_table& words = word_rules();
    std::size_t slot = word_slot(key);
    while (words.slots[slot].low != key.low || words.slots[slot].rest != key.rest) {
        if (words.slots[slot].token == 0) return 0;
        slot = (slot + 1) % words.slots.size();
    }
    const word_table::slot& found = words.slots[slot];
    token_offset_ = dropped_ + pos_;
    std::memcpy(yytext_.data(), text, 16);
    yytext_[length] = '\0';
    yyleng_ = static_cast<int>(length);
    pos_ += length;
    yylval_.number = found.number;
    // Token codes 257 and 258 are the two names.
    yylval_.text = found.token <= INTERFACENAME - 256 ? yytext_.data() : nullptr;
    return found.token + 256;
}

int lexer::match_rule() {
    const lexer_table& rules = lexer_rules();
    std::uint8_t state = lexer_table::kStart;
    std::size_t matched = 0;
    int tok = 0;
    // Whole-word tokens are found by match_word; this walk is for the rest,
    // where the longest match may end inside a word.
    for (std::size_t length = 0;;) {
        const int c = peek(length);
        if (c == kEnd) break;
        state = rules.next[state][rules.byte_class[static_cast<std::size_t>(c)]];
        if (state == lexer_table::kDead) break;
        ++length;
        if (rules.accept[state] != 0) {
            matched = length;
            tok = rules.accept[state];
        }
        if (!rules.extends[state]) break;
    }
    if (tok == 0) return 0;

    token_offset_ = dropped_ + pos_;
    std::memcpy(yytext_.data(), buffer_.data() + pos_, matched);
    yytext_[matched] = '\0';
    yyleng_ = static_cast<int>(matched);
    pos_ += matched;
    switch (tok) {
        case LINKNAME:
        case INTERFACENAME: yylval_ = {0, yytext_.data()}; break;
        case HEX:
            yylval_ = {hex_digit_value(yytext_[0]) * 16 + hex_digit_value(yytext_[1]), nullptr};
            break;
        case COLON: yylval_ = {':', nullptr}; break;
        default: yylval_ = {tok, nullptr}; break;
    }
    return tok;
}

void lexer::echo_one() {
    std::putc(buffer_[pos_++], yyout_);
}

// ";" and ":" are rule texts that no other begins with.
int lexer::single_character_token(int tok) {
    token_offset_ = dropped_ + pos_;
    yytext_[0] = buffer_[pos_++];
    yytext_[1] = '\0';
    yyleng_ = 1;
    yylval_ = {tok == COLON ? ':' : tok, nullptr};
    return tok;
}

namespace {

constexpr std::array<std::int16_t, 256> kHexDigitValue = [] {
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

// Blanks before the address are skipped as one short run; a long run is left
// to yylex, which keeps count of it.
bool lexer::scan_address(std::array<std::int32_t, 6>& bytes) {
    std::size_t at = pos_;
    while (at < end_ && at - pos_ < 64 && (buffer_[at] == ' ' || buffer_[at] == '\t')) ++at;
    // cppcheck-suppress knownConditionTrueFalse ; the bounds move as input is read
    if (end_ - at <= kAddressText) return false;
    const auto* text = reinterpret_cast<const unsigned char*>(buffer_.data() + at);
    for (std::size_t i = 0; i < 6; ++i) {
        const int high = kHexDigitValue[text[3 * i]];
        const int low = kHexDigitValue[text[3 * i + 1]];
        if (high < 0 || low < 0 || (i < 5 && text[3 * i + 2] != ':')) return false;
        bytes[i] = high * 16 + low;
    }
    // A word character after the last two digits could make them part of a
    // longer token ("10bt"): then the tokens are found one by one.
    if (is_word_start(static_cast<char>(text[kAddressText]))) return false;

    token_offset_ = dropped_ + at + kAddressText - 2;
    std::memcpy(yytext_.data(), text + kAddressText - 2, 2);
    yytext_[2] = '\0';
    yyleng_ = 2;
    yylval_ = {bytes[5], nullptr};
    pos_ = at + kAddressText;
    return true;
}

// One step of the scan, reading the input as far as it must: a token, the
// end of input, or kNoToken when only blanks, a comment, a newline or an
// echoed character went by.
int lexer::step() {
    const int c = peek(0);
    switch (c) {
        case kEnd:
        case '\0':
            // A NUL byte ends the input as the end of the stream does.
            ended_ = true;
            token_offset_ = dropped_ + pos_;
            return END_OF_INPUT;
        case ' ':
        case '\t': skip_blanks(); return kNoToken;
        case '\n':
            ++pos_;
            ++lineno;
            return kNoToken;
        case '^':
            if (!skip_comment()) echo_one();
            return kNoToken;
        default:
            if (end_ - pos_ >= kWindow) {
                if (const int tok = match_word(); tok != 0) return tok;
            }
            if (const int tok = match_rule(); tok != 0) return tok;
            echo_one();
            return kNoToken;
    }
}

// While a window of bytes is at hand, blanks and newlines are skipped and a
// whole-word token is taken straight from the buffer; everything else, and
// everything near the end of what has been read, goes through step().
// Skips the blanks and newlines from pos_ on, while a window of bytes is at
// hand, and returns the position of the first other byte. A run of blanks that
// reaches the end of what has been read is left to step(), which can read on.
// Needs a window at pos_.
[[gnu::always_inline]] inline std::size_t lexer::skip_space_at_hand() {
    // Locals, so that no store makes the compiler read the bounds again.
    const char* const text = buffer_.data();
    const std::size_t end = end_;
    const std::size_t last = end - kWindow;  // the last position with a whole window
    std::size_t at = pos_;
    int lines = 0;
    for (;;) {
        const char c = text[at];
        if (c == '\n') {
            ++lines;
            if (++at > last) break;
            continue;
        }
        if (c != ' ' && c != '\t') break;
        const std::size_t run = at;
        do ++at;
        while (at < end && (text[at] == ' ' || text[at] == '\t'));
        if (at == end) {
            at = run;  // the run may go on past what has been read
            break;
        }
        if (at - run >= kScanLimit) {
            lineno += lines;
            fail_too_long();
        }
        if (at > last) break;
    }
    lineno += lines;
    return at;
}

// While a window of bytes is at hand, blanks and newlines are skipped and a
// whole-word token is taken straight from the buffer; everything else, and
// everything near the end of what has been read, goes through step().
int lexer::yylex() {
    while (!ended_) {
        if (end_ - pos_ >= kWindow) {
            pos_ = skip_space_at_hand();
            if (end_ - pos_ >= kWindow) {
                const char c = buffer_[pos_];
                if (is_word_start(c)) {
                    if (const int tok = match_word(); tok != 0) return tok;
                } else if (c == ';' || c == ':') {
                    return single_character_token(c == ';' ? END : COLON);
                }
            }
        }
        if (const int tok = step(); tok != kNoToken) return tok;
    }
    return END_OF_INPUT;
}
