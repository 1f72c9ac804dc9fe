// The input is read once, whole, into memory: the check and the apply both
// work on these bytes, so that a file edited in between is never half applied.
#pragma once

#include <cstddef>
#include <string>

namespace apply {

/// More than any configuration needs, and little enough to hold.
inline constexpr std::size_t kInputLimit = std::size_t{64} << 20;

struct input_bytes {
    std::string bytes;
    int error = 0;           // errno of the failed read, else 0
    bool too_large = false;  // more than the limit: nothing of it is kept
};

/// Reads `fd` to its end, or until it has given more than `limit` bytes.
input_bytes read_whole(int fd, std::size_t limit = kInputLimit);

}  // namespace apply
