// Fuzzes the lexer and the grammar with recording operations. Whatever the
// input: the lexer finds the tokens that the rules read as written find
// (reference_scan.h); at most one syntax error line, and no operation after it; `lineno`
// never goes back and ends at 1 plus the newlines read; the scan limit ends
// the run exactly when a run of blanks or a comment is too long; names and
// bytes handed to the operations have their lexical form; and reading the
// input in small pieces changes nothing.
//
// The input is the configuration; bytes after its first NUL (where the lexer
// stops) choose the piece size of a second reading and, after a 'W', to start
// the text that many bytes before the end of the lexer's buffer.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/families.h"
#include "config/lexer.h"
#include "driver_script.h"
#include "fuzz_check.h"
#include "recorded_parse.h"
#include "reference_scan.h"

namespace {

constexpr std::string_view kLimitMessage = "Input string too long, limit 2048\n";
constexpr std::size_t kLimit = lexer::kScanLimit;
constexpr std::size_t kLexerBuffer = lexer::kBufferSize;

struct fuzz_outcome {
    int status = 0;
    bool limit = false;
    std::vector<std::string> calls;
    std::string out;
    std::string diagnostics;
    std::int64_t lines = 0;
    syntax_error_report report;
};

bool same(const fuzz_outcome& a, const fuzz_outcome& b) {
    return a.status == b.status && a.limit == b.limit && a.calls == b.calls && a.out == b.out &&
           a.diagnostics == b.diagnostics && a.lines == b.lines;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_interface_name(std::string_view name) {
    return std::ranges::any_of(kInterfaceFamilies, [name](std::string_view family) {
        if (!name.starts_with(family)) return false;
        const std::string_view unit = name.substr(family.size());
        if (unit.size() == 1) return is_digit(unit[0]) || (unit[0] >= 'a' && unit[0] <= 'f');
        return unit.size() == 2 && is_digit(unit[0]) && is_digit(unit[1]);
    });
}

// A name or a byte that an operation received must have the form the lexer gives it.
void check_arguments(std::string_view call) {
    const std::size_t space = call.find(' ');
    if (space == std::string_view::npos) return;
    const std::string_view operation = call.substr(0, space);
    const std::string_view argument = call.substr(space + 1);
    if (operation == "set_linkname") {
        fuzz_check(link_family_of(argument).has_value(), "link name form", call);
    } else if (operation.ends_with("interfacename")) {
        fuzz_check(is_interface_name(argument), "interface name form", call);
    } else {
        int bytes = 0;
        for (std::size_t at = space; at != std::string_view::npos; at = call.find(' ', at + 1)) {
            const std::string_view digits = call.substr(at + 1, call.find(' ', at + 1) - at - 1);
            int value = -1;
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
            fuzz_check(value >= 0 && value <= 0xFF, "address byte", call);
            ++bytes;
        }
        fuzz_check(bytes == 6, "six address bytes", call);
    }
}

fuzz_outcome parse_once(const std::string& config, std::size_t piece) {
    recorded_parse p(config, piece);
    std::int64_t last_line = p.lineno;
    p.actions.on_call = [&](const std::string& call) {
        fuzz_check(std::ftell(p.diagnostics.file()) == 0, "no operation after the error line",
                   call);
        fuzz_check(p.lineno >= last_line, "lineno never decreases", call);
        last_line = p.lineno;
        check_arguments(call);
    };
    fuzz_outcome outcome;
    outcome.status = p.parse();
    outcome.out = p.out.text();
    if (outcome.status < 0) {
        fuzz_check(outcome.status == -1 && outcome.out.ends_with(kLimitMessage),
                   "only the scan limit ends a parse", outcome.out);
        outcome.limit = true;
        outcome.status = 1;
    }
    fuzz_check(p.lineno >= last_line, "lineno never decreases");
    outcome.calls = p.actions.calls;
    outcome.diagnostics = p.diagnostics.text();
    outcome.lines = p.lineno;
    outcome.report = p.report;
    return outcome;
}

// The lexer's tokens alone, written as the reference writes them.
reference_result lexer_tokens(const std::string& input, std::size_t piece) {
    recorded_parse p(input, piece);
    lexer& lex = p.lex;
    reference_result r;
    for (int tok; (tok = lex.yylex()) != END_OF_INPUT;) {
        if (!r.tokens.empty()) r.tokens += ' ';
        r.tokens += token_name(tok);
        if (tok == LINKNAME || tok == INTERFACENAME)
            r.tokens += "(" + std::string(lex.yytext()) + ")";
        if (tok == HEX) r.tokens += "(" + std::to_string(lex.yylval().number) + ")";
    }
    r.echoed = p.out.text();
    r.lines = p.lineno;
    return r;
}

// Whether one token scan of `text` must read more than the limit: a run of
// blanks and tabs as long as the limit, or a comment whose text goes on that
// long without a newline. Within an accepted comment both are shorter.
bool exceeds_scan_limit(std::string_view text) {
    std::size_t run = 0;
    for (const char c : text) {
        run = (c == ' ' || c == '\t') ? run + 1 : 0;
        if (run >= kLimit) return true;
    }
    for (std::size_t at = text.find("^#"); at != std::string_view::npos;
         at = text.find("^#", at + 1)) {
        const std::size_t newline = text.find('\n', at);
        const std::size_t stop = newline == std::string_view::npos ? text.size() : newline;
        if (stop - at >= kLimit) return true;
    }
    return false;
}

void check_outcome(const fuzz_outcome& o, std::string_view text) {
    fuzz_check(o.limit == exceeds_scan_limit(text), "the scan limit is honoured");
    if (o.limit) {
        fuzz_check(o.out.size() >= kLimitMessage.size() &&
                       o.out.compare(o.out.size() - kLimitMessage.size(), std::string::npos,
                                     kLimitMessage) == 0,
                   "the limit message comes last");
    } else {
        const auto newlines = std::count(text.begin(), text.end(), '\n');
        fuzz_check(o.lines == 1 + newlines, "lineno ends at 1 plus the newlines");
    }
    if (o.status == 0) {
        fuzz_check(o.diagnostics.empty(), "no error line when the input is accepted");
        const auto opened = std::count(o.calls.begin(), o.calls.end(), "create_link");
        const auto closed = std::count(o.calls.begin(), o.calls.end(), "close_link");
        fuzz_check(opened > 0 && opened == closed && o.calls.back() == "close_link",
                   "an accepted input is whole blocks");
        return;
    }
    fuzz_check(o.status == 1, "status 0 or 1");
    if (o.diagnostics.empty()) {
        fuzz_check(o.limit, "status 1 only with an error line or the limit");
        return;
    }
    const syntax_error_report& r = o.report;
    fuzz_check(o.diagnostics == "*** \t Syntax error line " + std::to_string(r.line) + "\n",
               "exactly one error line", o.diagnostics);
    fuzz_check(r.line >= 1 && r.line <= o.lines, "the error line lies in the input");
    fuzz_check(r.expected != 0 && (r.expected & expected_bit(r.token)) == 0,
               "the offending token is not among the expected ones");
    const std::size_t length = std::strlen(r.text);
    if (r.token == END_OF_INPUT) {
        fuzz_check(length == 0 && r.offset == text.size(), "the end of input is where it is");
    } else {
        fuzz_check(r.offset + length <= text.size() && text.substr(r.offset, length) == r.text,
                   "the offending token stands at its offset", r.text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto [config, controls] = split_fuzz_input(input);
    const std::size_t piece = controls.empty() ? 1 : static_cast<std::uint8_t>(controls[0]) + 1;
    // Costly, so only on request: a 'W' and the distance from the buffer's end.
    const bool wrap = controls.size() >= 3 && controls[1] == 'W';
    const std::size_t pad = wrap ? static_cast<std::uint8_t>(controls[2]) + 1U : 0;

    // Newlines only move the text: with `pad` set it starts `pad` bytes before
    // the end of the lexer's buffer, so that its scans cross the refill.
    std::string text = pad == 0 ? std::string() : std::string(kLexerBuffer - pad, '\n');
    text += config;
    // The bytes after the NUL go to the lexer too, which must not read them.
    const std::string whole_input = text + std::string(input.substr(config.size()));
    const fuzz_outcome whole = parse_once(whole_input, std::string::npos);
    check_outcome(whole, text);
    if (pad == 0) {
        fuzz_check(same(whole, parse_once(whole_input, piece)), "pieces of any size read alike");
    }
    if (!whole.limit) {
        const reference_result expected = reference_scan(whole_input);
        const reference_result found = lexer_tokens(whole_input, piece);
        fuzz_check(found.tokens == expected.tokens && found.echoed == expected.echoed &&
                       found.lines == expected.lines,
                   "the tokens of the rules as written", found.tokens);
    }
    return 0;
}
