#include "plan/syntax_message.h"

#include <array>
#include <cstdint>

#include "config/keywords.h"
#include "config/tokens.h"
#include "model/number_text.h"
#include "text/formatting.h"

namespace plan {

namespace {

// What a token that is no keyword is called in a message.
struct described {
    int token;
    const char* form;
};

constexpr described kDescribed[] = {
    {LINKNAME, "a link name"},
    {HEX, "a hexadecimal byte"},
    {COLON, "':'"},
    {INTERFACENAME, "an interface name"},
    {END_OF_INPUT, "end of input"},
};

// The tokens in the order a reader looks for them among the expected ones:
// link statements, segment statements, values, names, and "end" last.
constexpr int kReadingOrder[] = {
    ZELNAR,     LINKNAME,  ADD,       DELETE,   DSTROUTE,      DYMXOR,   FALLOVER,
    ROUNDROBIN, SPILLOVER, TBLLOOKUP, DUMPINFO, SEGMENT,       SAMEADDR, DIFFADDR,
    STANDBY,    TRUNK,     SPEED,     DUPLEX,   SAUTO,         S100BT,   S10BT,
    HALFDUX,    FULLDUX,   HEX,       COLON,    INTERFACENAME, END,      END_OF_INPUT,
};

bool expects(const syntax_error_report& report, int token) {
    return (report.expected & expected_bit(token)) != 0;
}

bool is_segment_statement(int token) {
    switch (token) {
        case SAMEADDR:
        case DIFFADDR:
        case STANDBY:
        case TRUNK:
        case SPEED:
        case DUPLEX: return true;
        default: return false;
    }
}

bool is_link_statement(int token) {
    switch (token) {
        case DSTROUTE:
        case DYMXOR:
        case FALLOVER:
        case ROUNDROBIN:
        case SPILLOVER:
        case TBLLOOKUP:
        case DUMPINFO:
        case SEGMENT: return true;
        default: return false;
    }
}

}  // namespace

std::string written_form(int token) {
    if (const std::string_view form = long_form(token); !form.empty()) return std::string(form);
    for (const described& d : kDescribed) {
        if (d.token == token) return d.form;
    }
    return "token " + std::to_string(token);
}

std::vector<std::string> expected_forms(std::uint32_t expected) {
    std::vector<std::string> forms;
    for (const int token : kReadingOrder) {
        if ((expected & expected_bit(token)) != 0) forms.push_back(written_form(token));
    }
    return forms;
}

std::string syntax_message(const syntax_error_report& report) {
    std::string message = report.token == END_OF_INPUT
                              ? std::string("unexpected end of input")
                              : "unexpected '" + std::string(report.text) + "'";
    message += ' ';
    message += report.context;
    const std::vector<std::string> forms = expected_forms(report.expected);
    if (forms.empty()) return message;
    message += forms.size() == 1 ? "; expected " : "; expected one of: ";
    for (std::size_t i = 0; i < forms.size(); ++i) {
        if (i > 0) message += ", ";
        message += forms[i];
    }
    return message;
}

std::string syntax_hint(const syntax_error_report& report) {
    const std::string word = quoted(report.text);
    if (expects(report, TBLLOOKUP) && is_segment_statement(report.token)) {
        return word + " is a segment statement: write it inside 'segment <interface> ... end'";
    }
    if (expects(report, STANDBY) && is_link_statement(report.token)) {
        return word + " is a link statement: end the segment block with 'end' or ';' first";
    }
    if (expects(report, LINKNAME) && report.token == INTERFACENAME) {
        return "link names are zl0 to zl8 and zlumi0 to zlumi8";
    }
    if (expects(report, END_OF_INPUT) && report.token != ZELNAR) {
        return "a link block begins with 'zelnar', 'zl' or 'link' and a link name";
    }
    return {};
}

// A control byte is shown as \xNN, and the caret moves past all four of its
// characters: `column` counts bytes, as the lexer reads them.
std::string caret_lines(std::string_view line, int column) {
    std::string out;
    std::string caret;
    for (std::size_t at = 0; at < line.size(); ++at) {
        const auto byte = static_cast<unsigned char>(line[at]);
        const bool shown = (byte >= 0x20 && byte != 0x7f) || byte == '\t';
        const bool before_caret = static_cast<std::int64_t>(at) + 1 < column;
        if (shown) {
            out += line[at];
            if (before_caret) caret += byte == '\t' ? '\t' : ' ';
        } else {
            out += model::escaped_byte(byte);
            if (before_caret) caret += "    ";
        }
    }
    for (auto at = static_cast<std::int64_t>(line.size()) + 1; at < column; ++at) caret += ' ';
    return out + "\n" + caret + "^\n";
}

}  // namespace plan
