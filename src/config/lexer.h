// The configuration lexer: turns the input's bytes into tokens, one per call,
// and hands each character that forms no token to an echo.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "byte_source.h"
#include "tokens.h"

/// Receives each character that the lexer echoes, with its offset in bytes
/// from the start of the input, in input order.
class echo_observer {
public:
    virtual ~echo_observer() = default;
    virtual void echoed(char c, std::uint64_t offset) = 0;
};

/// zlconf's echo: each character to `out` as it comes, buffered as `out` is.
class stream_echo final : public echo_observer {
public:
    explicit stream_echo(std::FILE* out) : out_(out) {}
    void echoed(char c, std::uint64_t) override { std::putc(c, out_); }

private:
    std::FILE* out_;
};

class lexer {
public:
    /// At most this many characters may be read while one token is scanned.
    static constexpr int kScanLimit = 2048;

    /// Echoed characters go to `echo`, the length-limit message to `out`;
    /// newlines are counted in `line_count`.
    lexer(byte_source& in, std::FILE* out, echo_observer& echo, std::int64_t& line_count)
        : in_(in), yyout_(out), echo_(echo), lineno(line_count) {}
    /// Echoes to `out` itself.
    lexer(byte_source& in, std::FILE* out, std::int64_t& line_count)
        : lexer(in, out, own_echo_, line_count) {}
    /// For a text of its own: echoes to `out` and counts its lines itself.
    lexer(byte_source& in, std::FILE* out) : lexer(in, out, own_lineno_) {}
    lexer(const lexer&) = delete;
    lexer& operator=(const lexer&) = delete;

    /// The next token's code, or 0 at end of input (and at every call after).
    /// Counts newlines in `lineno`, echoes every character at which
    /// no token can be completed, and ends the run (status 1) when one scan
    /// would read more than kScanLimit characters.
    int yylex();

    /// Reads a whole Ethernet address, six bytes of two digits joined by colons
    /// and not followed by a word character, as its eleven tokens at once, when
    /// it lies in the bytes at hand; false, and nothing read, otherwise. The
    /// tokens are the ones yylex would return one by one. Token by token, a
    /// long block of table-lookup statements costs 84 % more instructions.
    bool scan_address(std::array<std::int32_t, 6>& bytes);

    /// Whether a scan has gone past kScanLimit, which ended the run.
    bool over_limit() const { return over_limit_; }

    /// The line being read: 1 plus the newlines consumed so far.
    std::int64_t line() const { return lineno; }

    /// The value of the token just returned. Its text is yytext, which the
    /// next call overwrites; only a name's text means anything.
    const token_value& yylval() const { return yylval_; }
    const char* yytext() const { return yytext_.data(); }
    int yyleng() const { return yyleng_; }

    /// Where the token just returned starts, in bytes from the start of the
    /// input; for the end of input, where the input ended.
    std::uint64_t token_offset() const { return token_offset_; }

    /// How many bytes the lexer holds at most: a read never asks for more.
    static constexpr std::size_t kBufferSize = 64 * 1024;

private:
    bool read_more();
    void skip_space();
    std::size_t read_blanks(std::size_t run);
    void skip_comment();
    int match_word();
    std::size_t read_word(std::size_t length);
    int token(int tok, std::int32_t number, std::size_t length);
    void echo_one();
    [[noreturn]] void fail_too_long();

    byte_source& in_;
    std::FILE* yyout_;
    stream_echo own_echo_{yyout_};
    echo_observer& echo_;
    std::int64_t own_lineno_ = 1;
    std::int64_t& lineno;      // the run's line count, named as the grammar's error line names it
    bool input_done_ = false;  // the source has reported its end
    bool ended_ = false;       // the end of input (or a NUL byte) has been scanned
    bool over_limit_ = false;

    // The bytes from pos_ to end_ have been read but not consumed: the
    // look-ahead store. pos_ is where the scan in progress began. A NUL always
    // follows them, and 16 bytes of the array, so that a word's end is found
    // and its bytes loaded without looking at end_.
    std::array<unsigned char, kBufferSize + 16> buffer_{};
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::uint64_t dropped_ = 0;  // input bytes moved out of the buffer
    std::uint64_t token_offset_ = 0;

    std::array<char, 16> yytext_{};
    int yyleng_ = 0;
    token_value yylval_{0, yytext_.data()};  // the text never moves: no choice per token
};
