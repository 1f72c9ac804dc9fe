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

std::string hex32(std::uint32_t value) {
    text_buffer text{};
    std::snprintf(text.data(), text.size(), "0x%08" PRIx32, value);
    return text.data();
}

std::string hex64(std::uint64_t value) {
    text_buffer text{};
    std::snprintf(text.data(), text.size(), "0x%016" PRIx64, value);
    return text.data();
}

std::string ether_address_text(std::span<const std::uint8_t, kEtherAddrLen> address) {
    text_buffer text{};
    std::snprintf(text.data(), text.size(), "%02x:%02x:%02x:%02x:%02x:%02x", address[0], address[1],
                  address[2], address[3], address[4], address[5]);
    return text.data();
}

}  // namespace model
