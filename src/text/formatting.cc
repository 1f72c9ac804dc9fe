#include "text/formatting.h"

void format_address(const std::uint8_t* bytes, char (&out)[kAddressTextSize]) {
    char* at = out;
    for (std::size_t i = 0; i < 6; ++i) {
        if (i != 0) *at++ = ':';
        *at++ = hex_digit(bytes[i] >> 4U);
        *at++ = hex_digit(bytes[i]);
    }
    *at = '\0';
}

void format_hex32(std::uint32_t word, char (&out)[kHex32TextSize]) {
    out[0] = '0';
    out[1] = 'x';
    for (std::size_t i = 0; i < 8; ++i) out[2 + i] = hex_digit(word >> (28 - 4 * i));
    out[10] = '\0';
}
