// The keywords as the companions write them, taken from the language's own
// table. Until that table marks its forms, a keyword's long form is the first
// it lists, and an abbreviation is two letters or the start of the long form.
#pragma once

#include <string_view>

#include "config/keywords.h"

namespace companion {

/// The form that statements and messages write a keyword in: "delete" for
/// DELETE. Empty for a token that is no keyword.
constexpr std::string_view long_form(int token) {
    for (const keyword_form& k : kKeywordForms) {
        if (k.tok == token) return k.text;
    }
    return {};
}

/// Whether `form` shortens its keyword ("del", "tl"), rather than being it or
/// another word for it ("close", "xor").
constexpr bool is_abbreviation(const keyword_form& form) {
    const std::string_view whole = long_form(form.tok);
    return form.text.size() <= 2 || (form.text != whole && whole.starts_with(form.text));
}

}  // namespace companion
