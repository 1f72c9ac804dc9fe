#include "lexer_rules.h"

#include <algorithm>
#include <string_view>

#include "families.h"
#include "keywords.h"
#include "tokens.h"

namespace {

constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kHexDigits = "0123456789abcdef";

// Every name fits the buffer that the table's constructor writes it in.
static_assert(std::ranges::all_of(kLinkFamilies, [](std::string_view f) {
    return f.size() + 1 <= kLongestRuleText;
}));
static_assert(std::ranges::all_of(kInterfaceFamilies, [](std::string_view f) {
    return f.size() + 2 <= kLongestRuleText;
}));

}  // namespace

// A rule text, and every shorter beginning of it as a text that extends.
constexpr void rule_table::add(const char* text, std::size_t length, int token) {
    for (std::size_t n = 1; n <= length; ++n) {
        std::uint64_t low = 0;
        std::uint32_t high = 0;
        constant_key_of(text, n, low, high);
        std::size_t slot = slot_of(low, high);
        while (slots_[slot].low != 0 && (slots_[slot].low != low || slots_[slot].high != high))
            slot = (slot + 1) % kSlots;
        rule_text& entry = slots_[slot];
        entry.low = low;
        entry.high = high;
        if (n < length) {
            extends_[slot / 64] |= std::uint64_t{1} << (slot % 64);
            continue;
        }
        entry.token = static_cast<std::int16_t>(token);
        entry.number = static_cast<std::int16_t>(token);
        if (token == HEX) {
            auto digit = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
            entry.number = static_cast<std::int16_t>(digit(text[0]) * 16 + digit(text[1]));
        }
    }
}

constexpr rule_table::rule_table() noexcept {
    for (const keyword_form& k : kKeywordForms) add(k.text.data(), k.text.size(), k.tok);
    char text[kLongestRuleText + 1] = {};
    for (std::string_view family : kLinkFamilies) {
        family.copy(text, family.size());
        for (const char unit : kLinkUnits) {
            text[family.size()] = unit;
            add(text, family.size() + 1, LINKNAME);
        }
    }
    for (std::string_view family : kInterfaceFamilies) {
        family.copy(text, family.size());
        for (const char unit : kHexDigits) {
            text[family.size()] = unit;
            add(text, family.size() + 1, INTERFACENAME);
        }
        for (const char tens : kDigits) {
            for (const char units : kDigits) {
                text[family.size()] = tens;
                text[family.size() + 1] = units;
                add(text, family.size() + 2, INTERFACENAME);
            }
        }
    }
    for (const char high : kHexDigits) {
        for (const char low : kHexDigits) {
            text[0] = high;
            text[1] = low;
            add(text, 2, HEX);
        }
    }
}

constexpr rule_table kRules;
