// A link's description in memory while a link block is read: the link record,
// its segment list and its table-lookup list, all records from one arena.
// The operations are the changes the statements make; which statement makes
// which is the session's business.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/record_arena.h"
#include "link/segment_index.h"
#include "records.h"

class link_description {
public:
    link_description() = default;
    link_description(const link_description&) = delete;
    link_description& operator=(const link_description&) = delete;

    /// A record of the description's arena, uncleared; a failed allocation
    /// ends the run. Every record lives until release_link_description.
    void* allocate_record() { return arena_.allocate(); }

    /// Makes `zl` a new record with null list pointers, for the driver's
    /// description of the link to be read into: until the driver has written
    /// it, nothing else in the record may be trusted.
    link_desc& begin_reading();

    /// Makes `zl`, a new record when it is null, the description of a link
    /// the driver does not have: named `name` (of `length` bytes, at most
    /// kNameField - 1 kept), in the new link's mode, with no lists.
    void become_new_link(const char* name, std::size_t length);

    /// The first segment of `zl` whose name is exactly `name`, or null.
    seg_desc* find_seg(const char* name);

    /// Makes the segment named `name` the working segment, appending a new one
    /// when `zl` has none of that name.
    void select_segment(const char* name);
    void deselect_segment() { working_seg = nullptr; }

    /// Appends a table-lookup entry for the address, not yet installed and
    /// with no interface; each number's low byte is the address byte.
    void append_entry(const std::int32_t (&bytes)[kEtherAddrLen]);
    /// Names the interface of the entry appended last, and turns table lookup on.
    void name_last_entry(const char* name);

    // Not const, though they reach the records through pointers: they change
    // the description.
    // NOLINTBEGIN(readability-make-member-function-const)
    /// One read-modify-write of the link's mode or the working segment's
    /// state: the bits of `group` other than `bit` cleared, `bit` set. Every
    /// bit outside the group, the driver's included, keeps its value.
    void choose_link_bit(std::uint32_t group, std::uint32_t bit) {
        change(zl->mode, group & ~bit, bit);
    }
    void choose_segment_bit(std::uint32_t group, std::uint32_t bit) {
        change(working_seg->state, group & ~bit, bit);
    }
    /// The same with the working segment's bits to clear and to set.
    void change_segment_state(std::uint32_t clears, std::uint32_t sets) {
        change(working_seg->state, clears, sets);
    }
    // NOLINTEND(readability-make-member-function-const)

    /// Marks the link for deletion, and with it each segment known now.
    void mark_link_deleted();

    /// Releases `zl` with both its lists and sets it to null.
    void release_link_description();

    link_desc* zl = nullptr;          // the link being configured; owns both lists
    seg_desc* working_seg = nullptr;  // the segment that segment statements change; owns nothing

private:
    static void change(std::uint32_t& word, std::uint32_t clears, std::uint32_t sets) {
        word = (word & ~clears) | sets;
    }

    struct name_text;
    seg_desc* find_named(const name_text& name);

    // Where the lists of `zl` end and how long the segment list is, so that
    // appending costs the same however long a list is. Valid only for the
    // description `of`: `zl` is public and is replaced when a link is read.
    struct list_tails {
        const link_desc* of = nullptr;
        seg_desc* last_seg = nullptr;
        ttl_entry* last_ttl = nullptr;
        std::size_t seg_count = 0;
    };
    list_tails& tails_of_zl();

    record_arena arena_;
    list_tails tails_;
    segment_index segments_by_name_;  // active only for long segment lists of `tails_.of`
};
