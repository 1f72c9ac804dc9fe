// Segments by name, kept beside a long segment list so that finding a segment
// does not cost a walk through the whole list: without it, a long block over
// 32 interfaces costs 15 % more instructions.
#pragma once

#include <cstddef>
#include <vector>

#include "records.h"

class segment_index {
public:
    /// Lists up to this long are searched from the head; walking a few records
    /// costs less than keeping an index.
    static constexpr std::size_t kWalkedLength = 16;

    bool active() const { return !slots_.empty(); }
    void clear();

    /// Indexes every segment of the list that starts at `first`.
    void build(seg_desc* first);

    /// The first segment in list order named `name` (of `length` bytes), or null.
    seg_desc* find(const char* name, std::size_t length) const;

    /// Adds a segment appended to the list; an earlier one of the same name
    /// keeps the name.
    void add(seg_desc* seg);

private:
    void grow();

    std::vector<seg_desc*> slots_;  // open addressing; the size is a power of two
    std::size_t count_ = 0;
};
