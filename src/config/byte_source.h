// Where the lexer's bytes come from.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

/// Abstract so that the lexer can be fed from memory, in pieces of any size, in
/// tests. The real implementation, descriptor_source, reads the input stream's
/// descriptor.
class byte_source {
public:
    virtual ~byte_source() = default;
    /// Reads up to `capacity` bytes, waiting for at least one; 0 at end of input.
    virtual std::size_t read_some(char* buffer, std::size_t capacity) = 0;
};

/// Reads a descriptor with read(2), so that a pipe delivers what it has at once
/// rather than after a whole block. A read error ends the run with status 2 and
/// "can't read <label>: <error text>".
class descriptor_source final : public byte_source {
public:
    descriptor_source(int fd, const char* label) : fd_(fd), label_(label) {}
    std::size_t read_some(char* buffer, std::size_t capacity) override;

private:
    int fd_;
    const char* label_;
};

/// Hands out a text held in memory, for companions that lex a word of their own.
class text_source final : public byte_source {
public:
    explicit text_source(std::string_view text) : text_(text) {}
    std::size_t read_some(char* buffer, std::size_t capacity) override {
        const std::size_t n = std::min(capacity, text_.size() - at_);
        std::memcpy(buffer, text_.data() + at_, n);
        at_ += n;
        return n;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};
