// A text held in memory as zlconf's lexer reads it: the tokens it cuts the
// text into, and the bytes between them that it ignores. For the companions,
// which write names and explain words in the configuration language.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

struct word_token {
    int token;           // as yylex returns it
    std::size_t offset;  // where it starts in the text
    std::size_t length;
};

/// The tokens of `text`, in order; every byte outside them is one the lexer
/// ignores. Nothing when no whole reading exists: the text holds a NUL, which
/// ends the lexer's input, or one scan in it would pass the lexer's limit.
std::optional<std::vector<word_token>> tokens_of(std::string_view text);

/// Whether the lexer reads `text` as exactly one token of kind `token`, with
/// nothing ignored.
bool reads_as(std::string_view text, int token);
