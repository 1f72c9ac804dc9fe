// Test input for the lexer: a string handed out in pieces of a chosen size, so
// that tokens and comments fall across the lexer's refills.
#pragma once

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "config/byte_source.h"

class memory_source final : public byte_source {
public:
    explicit memory_source(std::string text, std::size_t piece = 1 << 20)
        : text_(std::move(text)), piece_(piece) {}

    std::size_t read_some(char* buffer, std::size_t capacity) override {
        const std::size_t n = std::min({capacity, piece_, text_.size() - at_});
        std::memcpy(buffer, text_.data() + at_, n);
        at_ += n;
        ++reads_;
        return n;
    }

    std::size_t consumed() const { return at_; }
    int reads() const { return reads_; }

private:
    std::string text_;
    std::size_t piece_;
    std::size_t at_ = 0;
    int reads_ = 0;
};

/// The pieces of random test input, written as one text with '|' between them.
inline std::vector<std::string> split_pieces(const std::string& joined) {
    std::vector<std::string> pieces;
    std::istringstream in(joined);
    for (std::string piece; std::getline(in, piece, '|');) pieces.push_back(piece);
    return pieces;
}

/// A blank run, a tab run, a mixed run or a comment of 2046 to 2049
/// characters: either side of the lexer's limit of 2048 per scan.
inline std::string long_run(unsigned random) {
    const std::size_t length = 2046 + (random >> 4) % 4;
    switch ((random >> 8) % 4) {
        case 0: return std::string(length, ' ');
        case 1: return std::string(length, '\t');
        case 2: {
            std::string run(length, ' ');
            for (std::size_t i = 0; i < length; i += 3) run[i] = '\t';
            return run;
        }
        default: return "^#" + std::string(length - 2, 'c') + "\n";
    }
}
