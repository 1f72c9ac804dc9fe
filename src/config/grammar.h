// The grammar as a template over the actions: config/parser.cc compiles it
// once for config_actions, behind yyparse, and the session once for itself.
// The state machine and its answers (the context and the expected tokens of
// a syntax error) are the same for both.
#pragma once

#include <array>
#include <cinttypes>
#include <cstdint>
#include <cstdio>

#include "actions.h"
#include "lexer.h"
#include "parser.h"

namespace grammar {

// Where the parser stands in the input; each state accepts the tokens listed
// in its case of parse_token.
enum class at {
    before_first_block,
    block_header,  // ZELNAR read, the link name is due
    block_body,
    address,         // TBLLOOKUP read, six HEX joined by COLON are due
    address_name,    // the address read, the interface name is due
    segment_header,  // SEGMENT read, the interface name is due
    segment_body,
    speed_value,
    duplex_value,
    between_blocks,
};

// A template over the actions, so that the session, a final class, is called
// directly rather than through config_actions' virtual functions, and its
// operations inlined: through the virtual functions zlconf runs 5 % more
// instructions built with -O3, 11 % with -O2, as distributions build it.
template <typename Actions>
class parser {
public:
    explicit parser(Actions& actions) : act_(actions) {}

    /// Takes one token; false when it cannot continue the input here.
    [[gnu::always_inline]] inline bool parse_token(int tok, const token_value& value);
    bool accepted() const { return state_ == at::between_blocks; }

    /// Whether the six numbers of an address are due, none of them read yet.
    bool address_due() const { return state_ == at::address && address_tokens_ == 0; }
    /// Takes the eleven tokens of a whole address that the lexer read at once.
    void take_address(const std::array<std::int32_t, 6>& bytes) {
        address_tokens_ = 11;
        act_.link_opt_tablelookup_address(bytes[0], bytes[1], bytes[2], bytes[3], bytes[4],
                                          bytes[5]);
        state_ = at::address_name;
    }

    const char* context() const;
    /// The tokens that could continue the input from here.
    std::uint32_t expected() const;

private:
    [[gnu::always_inline]] inline bool link_statement(int tok);
    [[gnu::always_inline]] inline bool segment_statement(int tok);

    template <typename>
    friend class parser;

    Actions& act_;
    at state_ = at::before_first_block;
    std::array<std::int32_t, 6> address_{};
    int address_tokens_ = 0;  // of the eleven in an address
};

template <typename Actions>
bool parser<Actions>::link_statement(int tok) {
    switch (tok) {
        case ADD: act_.link_opt_add(); return true;
        case DELETE: act_.link_opt_delete(); return true;
        case DSTROUTE: act_.link_opt_dstroute(); return true;
        case DYMXOR: act_.link_opt_dymxor(); return true;
        case FALLOVER: act_.link_opt_fallover(); return true;
        case ROUNDROBIN: act_.link_opt_roundrobin(); return true;
        case SPILLOVER: act_.link_opt_spillover(); return true;
        case DUMPINFO: act_.link_opt_dumpinfo(); return true;
        case TBLLOOKUP:
            address_tokens_ = 0;
            state_ = at::address;
            return true;
        case SEGMENT:
            act_.create_segment();
            state_ = at::segment_header;
            return true;
        case END:
            act_.close_link();
            state_ = at::between_blocks;
            return true;
        default: return false;
    }
}

template <typename Actions>
bool parser<Actions>::segment_statement(int tok) {
    switch (tok) {
        case ADD: act_.seg_opt_add(); return true;
        case DELETE: act_.seg_opt_delete(); return true;
        case SAMEADDR: act_.seg_opt_sameaddr(); return true;
        case DIFFADDR: act_.seg_opt_diffaddr(); return true;
        case STANDBY: act_.seg_opt_standby(); return true;
        case TRUNK: act_.seg_opt_trunk(); return true;
        case SPEED: state_ = at::speed_value; return true;
        case DUPLEX: state_ = at::duplex_value; return true;
        case END:
            act_.close_segment();
            state_ = at::block_body;
            return true;
        default: return false;
    }
}

template <typename Actions>
bool parser<Actions>::parse_token(int tok, const token_value& value) {
    switch (state_) {
        case at::before_first_block:
        case at::between_blocks:
            if (tok != ZELNAR) return false;
            act_.create_link();
            state_ = at::block_header;
            return true;
        case at::block_header:
            if (tok != LINKNAME) return false;
            act_.set_linkname(value.text);
            state_ = at::block_body;
            return true;
        case at::block_body: return link_statement(tok);
        case at::address: {
            const bool number_due = address_tokens_ % 2 == 0;
            if (tok != (number_due ? HEX : COLON)) return false;
            if (number_due) address_[static_cast<std::size_t>(address_tokens_ / 2)] = value.number;
            if (++address_tokens_ == 11) {
                act_.link_opt_tablelookup_address(address_[0], address_[1], address_[2],
                                                  address_[3], address_[4], address_[5]);
                state_ = at::address_name;
            }
            return true;
        }
        case at::address_name:
            if (tok != INTERFACENAME) return false;
            act_.link_opt_tablelookup_interfacename(value.text);
            state_ = at::block_body;
            return true;
        case at::segment_header:
            if (tok != INTERFACENAME) return false;
            act_.segment_interfacename(value.text);
            state_ = at::segment_body;
            return true;
        case at::segment_body: return segment_statement(tok);
        case at::speed_value:
            switch (tok) {
                case SAUTO: act_.seg_opt_auto(); break;
                case S100BT: act_.seg_opt_100bt(); break;
                case S10BT: act_.seg_opt_10bt(); break;
                default: return false;
            }
            state_ = at::segment_body;
            return true;
        case at::duplex_value:
            switch (tok) {
                case HALFDUX: act_.seg_opt_halfdux(); break;
                case FULLDUX: act_.seg_opt_fulldux(); break;
                default: return false;
            }
            state_ = at::segment_body;
            return true;
    }
    return false;
}

// Nothing happens while the expected tokens are tried out.
class discarding_actions final : public config_actions {
public:
#define ZLCONF_STATEMENT(name) \
    void name() override {}
#include "statements.def"
    void set_linkname(const char*) override {}
    void link_opt_tablelookup_address(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                      std::int32_t, std::int32_t) override {}
    void link_opt_tablelookup_interfacename(const char*) override {}
    void segment_interfacename(const char*) override {}
};

template <typename Actions>
const char* parser<Actions>::context() const {
    switch (state_) {
        case at::before_first_block: return "at the start of the input";
        case at::block_header: return "after a link block's keyword";
        case at::block_body: return "in a link block";
        case at::address: return "in a table-lookup address";
        case at::address_name: return "after a table-lookup address";
        case at::segment_header: return "after 'segment'";
        case at::segment_body: return "in a segment block";
        case at::speed_value: return "after 'speed'";
        case at::duplex_value: return "after 'duplex'";
        case at::between_blocks: return "between link blocks";
    }
    return "";
}

// Tries every token on a copy of this parser, so that the answer cannot drift
// from what parse_token accepts.
template <typename Actions>
std::uint32_t parser<Actions>::expected() const {
    discarding_actions nothing;
    std::uint32_t bits = accepted() ? expected_bit(END_OF_INPUT) : 0;
    for (int tok = LINKNAME; tok <= COLON; ++tok) {
        parser<discarding_actions> trial(nothing);
        trial.state_ = state_;
        trial.address_tokens_ = address_tokens_;
        if (trial.parse_token(tok, token_value{0, ""})) bits |= expected_bit(tok);
    }
    return bits;
}

inline void yyerror(std::FILE* diagnostics, const char* message, std::int64_t lineno) {
    // Counted in 64 bits, so that no input can overflow it; printed as before.
    std::fprintf(diagnostics, "*** \t %s line %" PRId64 "\n", message, lineno);
}

/// What yyparse does, with `actions` called directly.
template <typename Actions>
int parse_input(lexer& lex, Actions& actions, std::FILE* diagnostics, syntax_error_report& report,
                syntax_error_hook* hook = nullptr) {
    parser<Actions> p(actions);
    int tok;
    std::array<std::int32_t, 6> address{};
    for (;;) {
        if (p.address_due() && lex.scan_address(address)) {
            p.take_address(address);
            continue;
        }
        tok = lex.yylex();
        if (tok == END_OF_INPUT && p.accepted()) return 0;
        if (tok == END_OF_INPUT || !p.parse_token(tok, lex.yylval())) break;
    }
    report.token = tok;
    std::snprintf(report.text, sizeof report.text, "%.15s",
                  tok == END_OF_INPUT ? "" : lex.yytext());
    report.offset = lex.token_offset();
    report.line = lex.line();
    report.context = p.context();
    report.expected = p.expected();
    if (hook != nullptr) hook->at_error(report);

    // There is no message catalogue here, so the text is the default one.
    if (diagnostics != nullptr) yyerror(diagnostics, "Syntax error", lex.line());
    // Recovery never completes: the rest of the input is read, and dropped.
    while (lex.yylex() != END_OF_INPUT) {
    }
    return 1;
}

}  // namespace grammar
