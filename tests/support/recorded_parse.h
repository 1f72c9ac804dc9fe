// A string run through the lexer and the parser with recording
// actions, both output streams captured: how the tests and the grammar fuzzer
// parse. Members are public so that a test can look in at any moment (from
// actions.on_call) or start the count of lines elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "captured_stream.h"
#include "config/lexer.h"
#include "config/parser.h"
#include "memory_source.h"
#include "recording_actions.h"
#include "run_failure.h"

class recorded_parse {
public:
    /// The input is handed to the lexer `piece` bytes at a time.
    explicit recorded_parse(std::string input, std::size_t piece = std::size_t{1} << 20)
        : source(std::move(input), piece), lex(source, out.file(), lineno) {}

    /// Parses the whole input. A run_failure (the scan limit) is written to
    /// its stream, as the entry point does, and -status returned.
    int parse() {
        try {
            return yyparse(lex, actions, diagnostics.file(), report);
        } catch (const run_failure& failure) {
            std::fputs(failure.message(), failure.stream());
            return -failure.status();
        }
    }

    memory_source source;
    captured_stream out;  // echoed characters and the length-limit message
    captured_stream diagnostics;
    std::int64_t lineno = 1;  // counted by the lexer
    lexer lex;
    recording_actions actions;
    syntax_error_report report;
};

/// What a parse of a whole input did.
struct parse_outcome {
    std::vector<std::string> calls;
    int status = 0;  // as recorded_parse::parse returns it
    std::string echoed;
    std::string diagnostics;
    std::int64_t lines = 0;
    // Not the lines: where a scan over the limit stopped counting depends on
    // where the input's reads ended.
    bool operator==(const parse_outcome& o) const {
        return calls == o.calls && status == o.status && echoed == o.echoed &&
               diagnostics == o.diagnostics;
    }
};

inline parse_outcome parse_recorded(std::string input, std::size_t piece = std::size_t{1} << 20) {
    recorded_parse p(std::move(input), piece);
    const int status = p.parse();
    return {p.actions.calls, status, p.out.text(), p.diagnostics.text(), p.lineno};
}
