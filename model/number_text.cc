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

// Not printf: a plan writes one or more per request, and the parsing of the
// pattern would cost more than the rest of the line.
std::string hex32(std::uint32_t value) {
    char text[kHex32TextSize];
    format_hex32(value, text);
    return text;
}

std::string hex64(std::uint64_t value) {
    text_buffer text{};
    std::snprintf(text.data(), text.size(), "0x%016" PRIx64, value);
    return text.data();
}

std::string ether_address_text(std::span<const std::uint8_t, kEtherAddrLen> address) {
    char text[kAddressTextSize];
    format_address(address.data(), text);
    return text;
}

std::string escaped_byte(unsigned char byte) {
    return {'\\', 'x', hex_digit(byte >> 4U), hex_digit(byte)};
}

}  // namespace model
