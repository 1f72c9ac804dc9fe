// Where the characters that form no token go.
#pragma once

#include <cstdint>
#include <cstdio>

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
