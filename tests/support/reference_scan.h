// The configuration language's token rules read as they are written, matched
// the slow way (the keywords' texts are the lexer's own; the lexer tests spell
// each out): at each position every rule text is tried and the longest
// wins. The lexer is checked against it on random and fuzzed input. Scans that
// reach the length limit are not modelled.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/families.h"
#include "config/keywords.h"
#include "config/tokens.h"
#include "text/formatting.h"

struct reference_result {
    std::string tokens;  // "NAME" or "NAME(value)", joined by blanks
    std::string echoed;
    std::int64_t lines = 1;  // as wide as the lexer's count
};

namespace reference {

inline bool one_of(char c, std::string_view set) {
    return c != '\0' && set.find(c) != std::string_view::npos;
}

// The token whose rule text is exactly `text`, or 0.
inline int rule_of(std::string_view text) {
    static constexpr std::string_view kHex = "0123456789abcdef";
    static constexpr std::string_view kDigits = "0123456789";
    if (text == ";") return END;
    if (text == ":") return COLON;
    for (const keyword_form& k : kKeywordForms) {
        if (text == k.text) return k.tok;
    }
    for (std::string_view family : kLinkFamilies) {
        if (text.size() == family.size() + 1 && text.starts_with(family) &&
            one_of(text.back(), kLinkUnits))
            return LINKNAME;
    }
    for (std::string_view family : kInterfaceFamilies) {
        if (!text.starts_with(family)) continue;
        const std::string_view unit = text.substr(family.size());
        if ((unit.size() == 1 && one_of(unit[0], kHex)) ||
            (unit.size() == 2 && one_of(unit[0], kDigits) && one_of(unit[1], kDigits)))
            return INTERFACENAME;
    }
    if (text.size() == 2 && one_of(text[0], kHex) && one_of(text[1], kHex)) return HEX;
    return 0;
}

inline int hex_digit(char c) {
    return c <= '9' ? c - '0' : c - 'a' + 10;
}

}  // namespace reference

/// The tokens, echoed characters and line count of `input`, up to its first NUL.
inline reference_result reference_scan(std::string_view input) {
    input = input.substr(0, input.find('\0'));
    reference_result r;
    for (std::size_t at = 0; at < input.size();) {
        const char c = input[at];
        if (c == ' ' || c == '\t') {
            ++at;
        } else if (c == '\n') {
            ++r.lines;
            ++at;
        } else if (input.substr(at).starts_with("^#") &&
                   input.find('\n', at) != std::string_view::npos) {
            at = input.find('\n', at);  // a comment, up to its newline
        } else {
            std::size_t length = std::min<std::size_t>(11, input.size() - at);
            while (length > 0 && reference::rule_of(input.substr(at, length)) == 0) --length;
            if (length == 0) {
                r.echoed += c;
                ++at;
                continue;
            }
            const std::string_view text = input.substr(at, length);
            const int tok = reference::rule_of(text);
            if (!r.tokens.empty()) r.tokens += ' ';
            r.tokens += token_name(tok);
            if (tok == LINKNAME || tok == INTERFACENAME) r.tokens += quoted(text, "(", ")");
            if (tok == HEX) {
                const int value =
                    reference::hex_digit(text[0]) * 16 + reference::hex_digit(text[1]);
                r.tokens += quoted(std::to_string(value), "(", ")");
            }
            at += length;
        }
    }
    return r;
}
