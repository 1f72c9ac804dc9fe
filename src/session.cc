#include "session.h"

#include "config/parser.h"

session::session(byte_source& input, std::FILE* out, device& driver)
    : driver_(driver), echo_to_out_(out), lex_(input, out, echo_to_out_, lineno) {}

session::session(byte_source& input, echo_observer& echo, device& driver)
    : driver_(driver), echo_to_out_(nullptr), lex_(input, nullptr, echo, lineno) {}

int session::parse(std::FILE* diagnostics) {
    return yyparse(lex_, *this, diagnostics);
}
