// The driver's handles for the records it hands out. They are opaque to the
// tool; here they are built so that a tool which mistook one for a pointer or
// a small index would fail at once: a fixed tag in the high bits, the link
// device's slot, the kind of record and its 1-based list position. Equal state
// gives equal handles, which keeps request logs reproducible.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace model {

enum class record_kind : std::uint64_t { segment = 0xA, lookup_entry = 0xB };

inline constexpr std::uint64_t kHandleTag = std::uint64_t{0x5A1E} << 48;
inline constexpr int kSlotShift = 32;
inline constexpr int kKindShift = 12;
inline constexpr std::uint64_t kPositionMask = 0xFFF;

constexpr std::uint64_t make_handle(std::uint32_t slot, record_kind kind, std::size_t position) {
    return kHandleTag | (std::uint64_t{slot} << kSlotShift) |
           (static_cast<std::uint64_t>(kind) << kKindShift) | (position + 1);
}

// The list position that a handle names, if it is one of this link's handles
// of this kind. The caller still checks the position against the list length.
constexpr std::optional<std::size_t> handle_position(std::uint64_t handle, std::uint32_t slot,
                                                     record_kind kind) {
    const std::uint64_t serial = handle & kPositionMask;
    if (serial == 0 || make_handle(slot, kind, serial - 1) != handle) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(serial - 1);
}

// The handle of a list's first record, or 0 for an empty list.
constexpr std::uint64_t first_handle(std::uint32_t slot, record_kind kind, std::size_t length) {
    return length > 0 ? make_handle(slot, kind, 0) : 0;
}

// The handle of the record after `position` in a list of `length`, or 0 at the end.
constexpr std::uint64_t handle_after(std::uint32_t slot, record_kind kind, std::size_t position,
                                     std::size_t length) {
    return position + 1 < length ? make_handle(slot, kind, position + 1) : 0;
}

}  // namespace model
