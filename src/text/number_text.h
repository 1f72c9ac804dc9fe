// Addresses and words as every report of the tool and its companions writes
// them, into buffers of a fixed size, so that writing one cannot fail.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kAddressTextSize = sizeof "02:00:5e:00:00:01";
inline constexpr std::size_t kHex32TextSize = sizeof "0x00001110";

/// The six bytes at `bytes` as lowercase hexadecimal pairs joined by colons.
void format_address(const std::uint8_t* bytes, char (&out)[kAddressTextSize]);

/// "0x" and the word's eight lowercase hexadecimal digits.
void format_hex32(std::uint32_t word, char (&out)[kHex32TextSize]);
