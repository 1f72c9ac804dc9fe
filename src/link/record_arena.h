// Where the records of a link description come from: large blocks, from which
// records are handed out one after another and released all at once when the
// description is committed, so that a block costs no allocation per record.
// A heap allocation per record costs 20 % more instructions on one long block.
#pragma once

#include <cstddef>

/// Hands out records of kRecordSize bytes, uncleared. Under the address
/// sanitizer or valgrind's memcheck each record is announced as a block of its
/// own, with unaddressable bytes between records, so that an overrun of one
/// record, or a use after the release, is still reported.
class record_arena {
public:
    record_arena() = default;
    ~record_arena();
    record_arena(const record_arena&) = delete;
    record_arena& operator=(const record_arena&) = delete;

    /// A record until the next release_all; a failed allocation ends the run.
    void* allocate();
    /// Releases every record handed out. Keeps the first block for the next
    /// description.
    void release_all();

private:
    struct block;
    void add_block();

    block* first_ = nullptr;
    block* current_ = nullptr;
    std::size_t used_ = 0;  // records handed out from current_
    std::size_t gap_ = 0;   // unaddressable bytes before and between records
    bool checked_ = false;  // a memory checker watches the records
    bool decided_ = false;  // checked_ and gap_ are set
};
