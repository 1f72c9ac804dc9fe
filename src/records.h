// The three records of a link description. They are also the driver's own
// record format: the driver writes them whole into storage the tool provides,
// so the byte layout below, padding included, is fixed.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kNameField = 64;
inline constexpr std::size_t kRecordSize = 88;
inline constexpr std::size_t kEtherAddrLen = 6;

struct seg_desc;
struct ttl_entry;

struct link_desc {
    char name[kNameField];  // also the name of the link's device under /dev
    std::uint32_t mode;     // ZLM_ bits
    seg_desc* segs;         // first segment, or null
    ttl_entry* ttls;        // first table-lookup entry, or null
};

struct seg_desc {
    char name[kNameField];  // interface name
    std::int32_t speed;     // the driver's figure; -1 for a new segment
    std::int32_t duplex;    // the driver's figure; -1 for a new segment
    std::uint32_t state;    // ZLS_ bits
    seg_desc* next;
};

struct ttl_entry {
    std::uint8_t eaddr[kEtherAddrLen];
    char ifname[kNameField];
    std::int32_t installed;  // 1: read from the driver; 0: still to be sent
    ttl_entry* next;
};

static_assert(sizeof(link_desc) == kRecordSize);
static_assert(offsetof(link_desc, name) == 0x00);
static_assert(offsetof(link_desc, mode) == 0x40);
static_assert(offsetof(link_desc, segs) == 0x48);
static_assert(offsetof(link_desc, ttls) == 0x50);

static_assert(sizeof(seg_desc) == kRecordSize);
static_assert(offsetof(seg_desc, name) == 0x00);
static_assert(offsetof(seg_desc, speed) == 0x40);
static_assert(offsetof(seg_desc, duplex) == 0x44);
static_assert(offsetof(seg_desc, state) == 0x48);
static_assert(offsetof(seg_desc, next) == 0x50);

static_assert(sizeof(ttl_entry) == kRecordSize);
static_assert(offsetof(ttl_entry, eaddr) == 0x00);
static_assert(offsetof(ttl_entry, ifname) == 0x06);
static_assert(offsetof(ttl_entry, installed) == 0x48);
static_assert(offsetof(ttl_entry, next) == 0x50);

// Bits of link_desc::mode. Bits not named here belong to the driver.
inline constexpr std::uint32_t ZLM_EXISTS = 0x1;
inline constexpr std::uint32_t ZLM_ROUNDROBIN = 0x10;
inline constexpr std::uint32_t ZLM_DSTROUTE = 0x20;
inline constexpr std::uint32_t ZLM_FALLOVER = 0x40;
inline constexpr std::uint32_t ZLM_SPILLOVER = 0x80;
inline constexpr std::uint32_t ZLM_DYMXOR = 0x100;
inline constexpr std::uint32_t ZLM_DISTMASK = 0x1F0;
inline constexpr std::uint32_t ZLM_NEW = 0x1000;
inline constexpr std::uint32_t ZLM_DELETE = 0x8000;
inline constexpr std::uint32_t ZLM_TBLLOOKUP = 0x10000;

// Bits of seg_desc::state. Bits not named here belong to the driver.
inline constexpr std::uint32_t ZLS_EXISTS = 0x1;
inline constexpr std::uint32_t ZLS_TRUNK = 0x10;
inline constexpr std::uint32_t ZLS_STANDBY = 0x20;
inline constexpr std::uint32_t ZLS_SAMEADDR = 0x100;
inline constexpr std::uint32_t ZLS_DIFFADDR = 0x200;
inline constexpr std::uint32_t ZLS_NEW = 0x1000;
inline constexpr std::uint32_t ZLS_DELETE = 0x8000;
inline constexpr std::uint32_t ZLS_FULLDUX = 0x10000;
inline constexpr std::uint32_t ZLS_HALFDUX = 0x20000;
inline constexpr std::uint32_t ZLS_100BT = 0x40000;
inline constexpr std::uint32_t ZLS_10BT = 0x80000;
inline constexpr std::uint32_t ZLS_AUTO = 0x100000;

// Starting values of the objects the tool creates.
inline constexpr std::uint32_t kNewLinkMode = ZLM_NEW | ZLM_DYMXOR;                // 0x1100
inline constexpr std::uint32_t kNewSegState = ZLS_NEW | ZLS_SAMEADDR | ZLS_TRUNK;  // 0x1110
static_assert(kNewLinkMode == 0x1100 && kNewSegState == 0x1110);
