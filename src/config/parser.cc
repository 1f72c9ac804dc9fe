#include "parser.h"

#include "grammar.h"

int yyparse(lexer& lex, config_actions& actions, std::FILE* diagnostics,
            syntax_error_report& report) {
    return grammar::parse_input(lex, actions, diagnostics, report);
}

int yyparse(lexer& lex, config_actions& actions, std::FILE* diagnostics) {
    syntax_error_report unused;
    return grammar::parse_input(lex, actions, diagnostics, unused);
}
