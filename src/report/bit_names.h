// The bits of a link's mode and a segment's state by name, highest bit first
// ("NEW|SAMEADDR|TRUNK"). A bit without a name, one of the driver's own,
// appears as its value ("0x40000000").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::vector<std::string> mode_bits(std::uint32_t mode);
std::vector<std::string> state_bits(std::uint32_t state);

/// The names joined by '|'; empty for 0.
std::string joined_bits(const std::vector<std::string>& names);
