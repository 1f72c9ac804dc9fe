#include "lexer.h"

#include <algorithm>
#include <cstring>

#include "globals.h"
#include "lexer_rules.h"
#include "run_failure.h"

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
    int run = 0;
    for (;;) {
        if (pos_ == end_ && !fill(1)) return;
        const char c = buffer_[pos_];
        if (c != ' ' && c != '\t') return;
        ++pos_;
        if (++run == kScanLimit) fail_too_long();
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
int lexer::match_rule() {
    const lexer_table& rules = lexer_rules();
    std::uint8_t state = lexer_table::kStart;
    std::size_t length = 0;
    std::size_t matched = 0;
    int tok = 0;
    for (;;) {
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

int lexer::yylex() {
    while (!ended_) {
        const int c = peek(0);
        switch (c) {
            case kEnd:
            case '\0':
                // A NUL byte ends the input as the end of the stream does.
                ended_ = true;
                token_offset_ = dropped_ + pos_;
                break;
            case ' ':
            case '\t': skip_blanks(); break;
            case '\n':
                ++pos_;
                ++lineno;
                break;
            case '^':
                if (!skip_comment()) echo_one();
                break;
            default:
                if (const int tok = match_rule(); tok != 0) return tok;
                echo_one();
                break;
        }
    }
    return END_OF_INPUT;
}
