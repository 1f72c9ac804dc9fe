#include "description.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "globals.h"
#include "link/record_arena.h"
#include "link/segment_index.h"

namespace {

// Where the lists of `zl` end and how long the segment list is, kept beside the
// records so that appending costs the same however long a list is. Valid only
// for the description `of`.
struct list_tails {
    const link_desc* of = nullptr;
    seg_desc* last_seg = nullptr;
    ttl_entry* last_ttl = nullptr;
    std::size_t seg_count = 0;
};
list_tails tails;
segment_index segments_by_name;  // active only for long segment lists of `tails.of`

list_tails& tails_of_zl() {
    if (tails.of != zl) {
        tails = {zl, nullptr, nullptr, 0};
        segments_by_name.clear();
        for (seg_desc* seg = zl->segs; seg != nullptr; seg = seg->next) {
            tails.last_seg = seg;
            ++tails.seg_count;
        }
        for (ttl_entry* e = zl->ttls; e != nullptr; e = e->next) tails.last_ttl = e;
    }
    return tails;
}

// The length of a name, or kNameField when it does not fit a name field.
// Names are a few characters long: a loop costs less than a call.
std::size_t name_length(const char* name) {
    std::size_t length = 0;
    while (length < kNameField && name[length] != '\0') ++length;
    return length;
}

// A name shorter than eight characters, its NUL and zeros after it, as the
// first eight bytes of a name field hold them in memory. Built in a register:
// bytes stored one by one and then read as a word would stall the read.
std::uint64_t short_name_bytes(const char* name, std::size_t length) {
    std::uint64_t bytes = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const std::size_t lane = std::endian::native == std::endian::little ? i : 7 - i;
        bytes |= std::uint64_t{static_cast<unsigned char>(name[i])} << (8 * lane);
    }
    return bytes;
}

// Such a name, matched against a segment with one comparison rather than a
// string compare: the bytes after the NUL in the field are cleared first.
class short_name {
public:
    short_name(const char* name, std::size_t length) : bytes_(short_name_bytes(name, length)) {
        static constexpr unsigned char kOnes[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        std::memcpy(&mask_, kOnes + 7 - length, sizeof mask_);  // length + 1 bytes of ones
    }
    bool names(const seg_desc& seg) const {
        std::uint64_t field;
        std::memcpy(&field, seg.name, sizeof field);
        return (field & mask_) == bytes_;
    }

private:
    std::uint64_t bytes_;
    std::uint64_t mask_ = 0;
};

// The first segment named `name` of `length` characters, or null.
seg_desc* find_named(const char* name, std::size_t length) {
    if (length == kNameField) return nullptr;
    const list_tails& t = tails_of_zl();
    if (t.seg_count > segment_index::kWalkedLength) {
        if (!segments_by_name.active()) segments_by_name.build(zl->segs);
        return segments_by_name.find(name, length);
    }
    if (length < sizeof(std::uint64_t)) {
        const short_name wanted(name, length);
        for (seg_desc* seg = zl->segs; seg != nullptr; seg = seg->next) {
            if (wanted.names(*seg)) return seg;
        }
        return nullptr;
    }
    for (seg_desc* seg = zl->segs; seg != nullptr; seg = seg->next) {
        // Up to and including the NUL, which never lies past the field.
        if (std::memcmp(seg->name, name, length + 1) == 0) return seg;
    }
    return nullptr;
}

// Names come from the lexer, at most 6 characters; the bound only keeps a
// longer one from overrunning the field.
void copy_name(char (&field)[kNameField], const char* name, std::size_t length) {
    length = std::min(length, kNameField - 1);
    if (length < sizeof(std::uint64_t)) {
        const std::uint64_t bytes = short_name_bytes(name, length);
        std::memcpy(field, &bytes, sizeof bytes);
        return;
    }
    std::memcpy(field, name, length);
    field[length] = '\0';
}

}  // namespace

void* allocate_record() {
    return description_arena().allocate();
}

void forget_list_tails() {
    tails = {};
    segments_by_name.clear();
}

void create_link() {}

void create_segment() {}

seg_desc* find_seg(const char* name) {
    return find_named(name, name_length(name));
}

void segment_interfacename(const char* name) {
    const std::size_t length = name_length(name);
    working_seg = find_named(name, length);
    if (working_seg != nullptr) return;

    auto* seg = static_cast<seg_desc*>(allocate_record());
    copy_name(seg->name, name, length);
    seg->speed = -1;
    seg->duplex = -1;
    seg->state = kNewSegState;
    seg->next = nullptr;

    list_tails& t = tails_of_zl();
    (t.last_seg == nullptr ? zl->segs : t.last_seg->next) = seg;
    t.last_seg = seg;
    ++t.seg_count;
    if (segments_by_name.active()) segments_by_name.add(seg);
    working_seg = seg;
}

void close_segment() {
    working_seg = nullptr;
}

void link_opt_tablelookup_address(std::int32_t a0, std::int32_t a1, std::int32_t a2,
                                  std::int32_t a3, std::int32_t a4, std::int32_t a5) {
    auto* entry = static_cast<ttl_entry*>(allocate_record());
    const std::int32_t bytes[kEtherAddrLen] = {a0, a1, a2, a3, a4, a5};
    for (std::size_t i = 0; i < kEtherAddrLen; ++i) {
        entry->eaddr[i] = static_cast<std::uint8_t>(bytes[i] & 0xFF);
    }
    entry->ifname[0] = '\0';
    entry->installed = 0;
    entry->next = nullptr;

    list_tails& t = tails_of_zl();
    (t.last_ttl == nullptr ? zl->ttls : t.last_ttl->next) = entry;
    t.last_ttl = entry;
}

void link_opt_tablelookup_interfacename(const char* name) {
    ttl_entry* last = tails_of_zl().last_ttl;
    if (last == nullptr) return;  // the grammar always appends the entry first
    copy_name(last->ifname, name, name_length(name));
    zl->mode |= ZLM_TBLLOOKUP;
}

void release_link_description() {
    // The description and both its lists, all from the one arena.
    description_arena().release_all();
    zl = nullptr;
    working_seg = nullptr;
    forget_list_tails();
}
