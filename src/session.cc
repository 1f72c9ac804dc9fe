#include "session.h"

#include "config/parser.h"

session::session(byte_source& input, std::FILE* out, device& driver)
    : driver_(driver), lex_(input, out, lineno) {}

int session::parse(std::FILE* diagnostics) {
    return yyparse(lex_, *this, diagnostics);
}
