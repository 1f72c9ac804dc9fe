#include "plan/syntax_message.h"

#include <array>
#include <cstdint>

#include "config/tokens.h"
#include "model/number_text.h"
#include "text/quoted.h"

namespace plan {

namespace {

struct written {
    int token;
    const char* form;
};

// Keywords in their long form, in the order of expected_forms.
constexpr std::array kWritten = {
    written{ZELNAR, "zelnar"},
    written{LINKNAME, "a link name"},
    written{ADD, "add"},
    written{DELETE, "delete"},
    written{DSTROUTE, "dstroute"},
    written{DYMXOR, "dynamic"},
    written{FALLOVER, "fallover"},
    written{ROUNDROBIN, "roundrobin"},
    written{SPILLOVER, "spillover"},
    written{TBLLOOKUP, "tablelookup"},
    written{DUMPINFO, "dumpinfo"},
    written{SEGMENT, "segment"},
    written{SAMEADDR, "sameaddr"},
    written{DIFFADDR, "diffaddr"},
    written{STANDBY, "standby"},
    written{TRUNK, "trunk"},
    written{SPEED, "speed"},
    written{DUPLEX, "duplex"},
    written{SAUTO, "auto"},
    written{S100BT, "100bt"},
    written{S10BT, "10bt"},
    written{HALFDUX, "half"},
    written{FULLDUX, "full"},
    written{HEX, "a hexadecimal byte"},
    written{COLON, "':'"},
    written{INTERFACENAME, "an interface name"},
    written{END, "end"},
    written{END_OF_INPUT, "end of input"},
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
    for (const written& w : kWritten) {
        if (w.token == token) return w.form;
    }
    return "token " + std::to_string(token);
}

std::vector<std::string> expected_forms(std::uint32_t expected) {
    std::vector<std::string> forms;
    for (const written& w : kWritten) {
        if ((expected & expected_bit(w.token)) != 0) forms.emplace_back(w.form);
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
