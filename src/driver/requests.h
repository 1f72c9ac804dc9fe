// The driver's request record and request codes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "records.h"

// One record serves a whole read or a whole commit; each request sets only the
// fields it uses.
struct link_req {
    char name[8];       // interface name without its last character, NUL-terminated
    std::int32_t unit;  // from the interface name's last character, 0 to 15
    std::uint8_t eaddr[kEtherAddrLen];
    std::uint8_t reserved[2];
    std::uint32_t flags;   // a segment's state or the link's mode
    std::uint64_t cursor;  // the driver's handle of the record to fetch
    void* data;            // the caller's 88-byte buffer for the driver to fill
};

static_assert(sizeof(link_req) == 40);
static_assert(offsetof(link_req, name) == 0);
static_assert(offsetof(link_req, unit) == 8);
static_assert(offsetof(link_req, eaddr) == 12);
static_assert(offsetof(link_req, reserved) == 18);
static_assert(offsetof(link_req, flags) == 20);
static_assert(offsetof(link_req, cursor) == 24);
static_assert(offsetof(link_req, data) == 32);

// A code is its direction bits, the size of what it carries shifted left by 16,
// the group 'L' shifted left by 8, and its number. The direction bits are not
// those of Linux's _IOR/_IOW macros, so those must not be used here.
inline constexpr std::uint32_t kDirNone = 0x20000000;
inline constexpr std::uint32_t kDirIn = 0x80000000;     // the record goes to the driver
inline constexpr std::uint32_t kDirInOut = 0xC0000000;  // and comes back filled

constexpr std::uint32_t zlio_code(std::uint32_t direction, std::uint32_t number) {
    const std::uint32_t size = direction == kDirNone ? 0 : sizeof(link_req);
    return direction | (size << 16) | (std::uint32_t{'L'} << 8) | number;
}

inline constexpr std::uint32_t ZLIOATL = zlio_code(kDirIn, 52);
inline constexpr std::uint32_t ZLIOGTL = zlio_code(kDirInOut, 53);
inline constexpr std::uint32_t ZLIOGSEG = zlio_code(kDirInOut, 54);
inline constexpr std::uint32_t ZLIOGLINK = zlio_code(kDirInOut, 55);
inline constexpr std::uint32_t ZLIOSSEG = zlio_code(kDirIn, 56);
inline constexpr std::uint32_t ZLIOSMODE = zlio_code(kDirIn, 57);
inline constexpr std::uint32_t ZLIODLINK = zlio_code(kDirNone, 58);
inline constexpr std::uint32_t ZLIOELINK = zlio_code(kDirNone, 59);
inline constexpr std::uint32_t ZLIODSEG = zlio_code(kDirIn, 60);
inline constexpr std::uint32_t ZLIOASEG = zlio_code(kDirIn, 61);
inline constexpr std::uint32_t ZLIOCLINK = zlio_code(kDirNone, 63);

static_assert(ZLIOATL == 0x80284C34);
static_assert(ZLIOGTL == 0xC0284C35);
static_assert(ZLIOGSEG == 0xC0284C36);
static_assert(ZLIOGLINK == 0xC0284C37);
static_assert(ZLIOSSEG == 0x80284C38);
static_assert(ZLIOSMODE == 0x80284C39);
static_assert(ZLIODLINK == 0x20004C3A);
static_assert(ZLIOELINK == 0x20004C3B);
static_assert(ZLIODSEG == 0x80284C3C);
static_assert(ZLIOASEG == 0x80284C3D);
static_assert(ZLIOCLINK == 0x20004C3F);

// The name of a request code, or null for a code that is not one of these.
constexpr const char* request_name(std::uint32_t code) {
    switch (code) {
        case ZLIOATL: return "ZLIOATL";
        case ZLIOGTL: return "ZLIOGTL";
        case ZLIOGSEG: return "ZLIOGSEG";
        case ZLIOGLINK: return "ZLIOGLINK";
        case ZLIOSSEG: return "ZLIOSSEG";
        case ZLIOSMODE: return "ZLIOSMODE";
        case ZLIODLINK: return "ZLIODLINK";
        case ZLIOELINK: return "ZLIOELINK";
        case ZLIODSEG: return "ZLIODSEG";
        case ZLIOASEG: return "ZLIOASEG";
        case ZLIOCLINK: return "ZLIOCLINK";
        default: return nullptr;
    }
}
