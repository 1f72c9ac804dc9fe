// Text as every report of the tool and its companions writes it: addresses
// and words into buffers of a fixed size, so that writing one cannot fail,
// and words quoted for messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// The lowercase hexadecimal digit of `value`'s low four bits.
constexpr char hex_digit(unsigned value) {
    return "0123456789abcdef"[value & 0xF];
}

inline constexpr std::size_t kAddressTextSize = sizeof "02:00:5e:00:00:01";
inline constexpr std::size_t kHex32TextSize = sizeof "0x00001110";

/// The six bytes at `bytes` as lowercase hexadecimal pairs joined by colons.
void format_address(const std::uint8_t* bytes, char (&out)[kAddressTextSize]);

/// "0x" and the word's eight lowercase hexadecimal digits.
void format_hex32(std::uint32_t word, char (&out)[kHex32TextSize]);

/// A text set between quotes for a message: quoted(word) is 'word'.
/// Appended piece by piece: GCC 12 warns (-Wrestrict), wrongly, about its own
/// code for a literal put in front of a temporary string.
inline std::string quoted(std::string_view text, std::string_view open = "'",
                          std::string_view close = "'") {
    std::string out;
    out.reserve(open.size() + text.size() + close.size());
    return out.append(open).append(text).append(close);
}

/// A message without the line ends it was written with, to be set in a line
/// of another's.
inline std::string without_newline(std::string_view text) {
    while (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    return std::string(text);
}
