#include "link/link_description.h"

#include <algorithm>
#include <cstring>

link_description::list_tails& link_description::tails_of_zl() {
    if (tails_.of != zl) {
        tails_ = {zl, nullptr, nullptr, 0};
        segments_by_name_.clear();
        for (seg_desc* seg = zl->segs; seg != nullptr; seg = seg->next) {
            tails_.last_seg = seg;
            ++tails_.seg_count;
        }
        for (ttl_entry* e = zl->ttls; e != nullptr; e = e->next) tails_.last_ttl = e;
    }
    return tails_;
}

// A name as the operations take it: its text and its length, kNameField when
// it does not fit a name field.
struct link_description::name_text {
    const char* text;
    std::size_t length;

    explicit name_text(const char* name) : text(name), length(strnlen(name, kNameField)) {}

    // Whether `field` holds this name: up to and including its NUL, which
    // never lies past the field.
    bool names(const char (&field)[kNameField]) const {
        return std::memcmp(field, text, length + 1) == 0;
    }

    // Names come from the lexer, at most 6 characters; the bound only keeps a
    // longer one from overrunning the field.
    void copy_to(char (&field)[kNameField]) const {
        const std::size_t kept = std::min(length, kNameField - 1);
        std::memcpy(field, text, kept);
        field[kept] = '\0';
    }
};

link_desc& link_description::begin_reading() {
    zl = static_cast<link_desc*>(allocate_record());
    zl->segs = nullptr;
    zl->ttls = nullptr;
    return *zl;
}

void link_description::become_new_link(const char* name, std::size_t length) {
    if (zl == nullptr) zl = static_cast<link_desc*>(allocate_record());
    const std::size_t kept = std::min(length, kNameField - 1);
    std::memcpy(zl->name, name, kept);
    zl->name[kept] = '\0';
    zl->mode = kNewLinkMode;
    zl->segs = nullptr;
    zl->ttls = nullptr;
}

// The first segment with this name, or null.
seg_desc* link_description::find_named(const name_text& name) {
    if (name.length == kNameField) return nullptr;
    const list_tails& t = tails_of_zl();
    if (t.seg_count > segment_index::kWalkedLength) {
        if (!segments_by_name_.active()) segments_by_name_.build(zl->segs);
        return segments_by_name_.find(name.text, name.length);
    }
    for (seg_desc* seg = zl->segs; seg != nullptr; seg = seg->next) {
        if (name.names(seg->name)) return seg;
    }
    return nullptr;
}

seg_desc* link_description::find_seg(const char* name) {
    return find_named(name_text(name));
}

void link_description::select_segment(const char* name) {
    const name_text wanted(name);
    working_seg = find_named(wanted);
    if (working_seg != nullptr) return;

    auto* seg = static_cast<seg_desc*>(allocate_record());
    wanted.copy_to(seg->name);
    seg->speed = -1;
    seg->duplex = -1;
    seg->state = kNewSegState;
    seg->next = nullptr;

    list_tails& t = tails_of_zl();
    (t.last_seg == nullptr ? zl->segs : t.last_seg->next) = seg;
    t.last_seg = seg;
    ++t.seg_count;
    if (segments_by_name_.active()) segments_by_name_.add(seg);
    working_seg = seg;
}

void link_description::append_entry(const std::int32_t (&bytes)[kEtherAddrLen]) {
    auto* entry = static_cast<ttl_entry*>(allocate_record());
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

void link_description::name_last_entry(const char* name) {
    ttl_entry* last = tails_of_zl().last_ttl;
    if (last == nullptr) return;  // the grammar always appends the entry first
    name_text(name).copy_to(last->ifname);
    zl->mode |= ZLM_TBLLOOKUP;
}

// Segment blocks after the DELETE are not marked.
void link_description::mark_link_deleted() {
    for (working_seg = zl->segs; working_seg != nullptr; working_seg = working_seg->next) {
        change_segment_state(0, ZLS_DELETE);
    }
    change(zl->mode, 0, ZLM_DELETE);
}

void link_description::release_link_description() {
    // The description and both its lists, all from the one arena.
    arena_.release_all();
    zl = nullptr;
    working_seg = nullptr;
    tails_ = {};
    segments_by_name_.clear();
}
