#include "session.h"

#include "config/parser.h"

session::session(byte_source& input, std::FILE* out, device& driver)
    : driver_(driver), lex_(input, out, lineno) {}

session::session(byte_source& input, echo_observer& echo, device& driver)
    : driver_(driver), lex_(input, nullptr, echo, lineno) {}

int session::parse(std::FILE* diagnostics) {
    return yyparse(lex_, *this, diagnostics);
}
