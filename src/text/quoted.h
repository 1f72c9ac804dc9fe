// A text set between quotes for a message: quoted(word) is 'word'.
#pragma once

#include <string>
#include <string_view>

/// Appended piece by piece: GCC 12 warns (-Wrestrict), wrongly, about its own
/// code for a literal put in front of a temporary string.
inline std::string quoted(std::string_view text, std::string_view open = "'",
                          std::string_view close = "'") {
    std::string out;
    out.reserve(open.size() + text.size() + close.size());
    return out.append(open).append(text).append(close);
}
