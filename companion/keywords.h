// The keywords' forms as zlplan suggests them: an abbreviation is two letters
// or the start of the long form, and never the better suggestion.
#pragma once

#include <string_view>

#include "config/keywords.h"

namespace companion {

/// Whether `form` shortens its keyword ("del", "tl"), rather than being it or
/// another word for it ("close", "xor").
constexpr bool is_abbreviation(const keyword_form& form) {
    const std::string_view whole = long_form(form.tok);
    return form.text.size() <= 2 || (form.text != whole && whole.starts_with(form.text));
}

}  // namespace companion
