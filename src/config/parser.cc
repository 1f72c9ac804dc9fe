#include "parser.h"

#include "grammar.h"

int yyparse(lexer& lex, config_actions& actions, std::FILE* diagnostics,
            syntax_error_report& report, syntax_error_hook* hook) {
    return grammar::parse_input(lex, actions, diagnostics, report, hook);
}

int yyparse(lexer& lex, config_actions& actions, std::FILE* diagnostics) {
    syntax_error_report unused;
    return grammar::parse_input(lex, actions, diagnostics, unused);
}
