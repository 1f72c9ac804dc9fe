// Numbers as the request log and the state file write them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "records.h"
#include "text/formatting.h"

namespace model {

// A byte as the four characters \xNN, as names and quoted lines show bytes
// that they cannot show as they are.
std::string escaped_byte(unsigned char byte);

std::string short_hex(std::uint64_t value);  // 0x2
std::string hex32(std::uint32_t value);      // 0x00001110
std::string hex64(std::uint64_t value);      // 0x5a1e00000000a001
std::string ether_address_text(std::span<const std::uint8_t, kEtherAddrLen> address);  // 02:00:..

}  // namespace model
