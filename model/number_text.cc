#include "model/number_text.h"

#include <array>
#include <cinttypes>
#include <cstdio>

namespace model {

namespace {

using text_buffer = std::array<char, 24>;

}  // namespace

std::string short_hex(std::uint64_t value) {
    text_buffer text{};
    std::snprintf(text.data(), text.size(), "0x%" PRIx64, value);
    return text.data();
}

// Written by hand: a plan writes one or more per request, and printf's
// parsing of the pattern would cost more than the rest of the line.
std::string hex32(std::uint32_t value) {
    std::string text = "0x00000000";
    for (std::size_t i = text.size(); value != 0; value >>= 4) text[--i] = hex_digit(value);
    return text;
}

std::string hex64(std::uint64_t value) {
    text_buffer text{};
    std::snprintf(text.data(), text.size(), "0x%016" PRIx64, value);
    return text.data();
}

std::string ether_address_text(std::span<const std::uint8_t, kEtherAddrLen> address) {
    std::string text(kEtherAddrLen * 3 - 1, ':');
    for (std::size_t i = 0; i < kEtherAddrLen; ++i) {
        text[i * 3] = hex_digit(address[i] >> 4U);
        text[i * 3 + 1] = hex_digit(address[i]);
    }
    return text;
}

std::string escaped_byte(unsigned char byte) {
    return {'\\', 'x', hex_digit(byte >> 4U), hex_digit(byte)};
}

}  // namespace model
