// The configuration grammar. Each statement's operation runs as soon as the
// statement's last token has been read, before the next token is read, so the
// file is carried out while it is parsed.
#pragma once

#include <cstdio>

#include "actions.h"
#include "lexer.h"

/// Parses the whole input once. Returns 0 when it was accepted, 1 after a syntax
/// error; then one "*** \t Syntax error line N" line has gone to `diagnostics`
/// and the rest of the input has been read without calling any operation.
int yyparse(lexer& lex, config_actions& actions, std::FILE* diagnostics);
