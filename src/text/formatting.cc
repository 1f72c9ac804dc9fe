#include "text/formatting.h"

namespace {

constexpr char kDigits[] = "0123456789abcdef";

}  // namespace

void format_address(const std::uint8_t* bytes, char (&out)[kAddressTextSize]) {
    char* at = out;
    for (std::size_t i = 0; i < 6; ++i) {
        if (i != 0) *at++ = ':';
        *at++ = kDigits[bytes[i] >> 4];
        *at++ = kDigits[bytes[i] & 0xF];
    }
    *at = '\0';
}

void format_hex32(std::uint32_t word, char (&out)[kHex32TextSize]) {
    out[0] = '0';
    out[1] = 'x';
    for (std::size_t i = 0; i < 8; ++i) out[2 + i] = kDigits[(word >> (28 - 4 * i)) & 0xF];
    out[10] = '\0';
}
