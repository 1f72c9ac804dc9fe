// The configuration grammar. Each statement's operation runs as soon as the
// statement's last token has been read, before the next token is read, so the
// file is carried out while it is parsed.
#pragma once

#include <cstdint>
#include <cstdio>

#include "actions.h"
#include "lexer.h"

/// Parses the whole input once. Returns 0 when it was accepted, 1 after a syntax
/// error; then one "*** \t Syntax error line N" line has gone to `diagnostics`
/// and the rest of the input has been read without calling any operation.
int yyparse(lexer& lex, config_actions& actions, std::FILE* diagnostics);

/// What a syntax error was and where, for tools that explain it.
struct syntax_error_report {
    int token = END_OF_INPUT;  // the token that could not continue the input
    char text[16] = {};        // its text; empty at the end of input
    std::uint64_t offset = 0;  // where it starts, in bytes from the start of the input
    std::int64_t line = 0;     // the line the error line names
    const char* context = "";  // where the parser stood: "in a link block", ...
    /// The tokens that could have come there: bit (code - 256) for a named
    /// token, bit 0 for the end of input.
    std::uint32_t expected = 0;
};

/// Told of a syntax error as soon as it is met, while the lexer still stands
/// at it: before the error line is written and the rest of the input read.
class syntax_error_hook {
public:
    virtual ~syntax_error_hook() = default;
    virtual void at_error(const syntax_error_report& report) = 0;
};

/// As above, and on a syntax error fills `report` and tells `hook`, if any.
/// With null `diagnostics` no error line is written.
int yyparse(lexer& lex, config_actions& actions, std::FILE* diagnostics,
            syntax_error_report& report, syntax_error_hook* hook = nullptr);

/// The bit of `token` in syntax_error_report::expected.
constexpr std::uint32_t expected_bit(int token) {
    return token == END_OF_INPUT ? 1U : 1U << (token - 256);
}
