#include "record_arena.h"

#include <algorithm>
#include <cstdlib>

#include "records.h"
#include "run_failure.h"

#if __has_include(<sanitizer/asan_interface.h>)
#include <sanitizer/asan_interface.h>
#endif
#ifndef ASAN_POISON_MEMORY_REGION
#define ASAN_POISON_MEMORY_REGION(address, size) ((void)(address), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(address, size) ((void)(address), (void)(size))
#endif

// The client requests are inline code that does nothing outside valgrind, so
// the tool depends on nothing of valgrind's at run time.
#if __has_include(<valgrind/memcheck.h>)
#include <valgrind/memcheck.h>
#else
#define RUNNING_ON_VALGRIND 0
#define VALGRIND_MALLOCLIKE_BLOCK(address, size, redzone, zeroed) ((void)(address))
#define VALGRIND_FREELIKE_BLOCK(address, redzone) ((void)(address))
#define VALGRIND_MAKE_MEM_NOACCESS(address, size) ((void)(address))
#endif

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

constexpr std::size_t kFirstRecords = 32;      // enough for most blocks
constexpr std::size_t kLargestRecords = 8192;  // about 700 KiB
constexpr std::size_t kCheckedGap = 16;        // a multiple of the sanitizer's granule

}  // namespace

struct record_arena::block {
    block* next;
    std::size_t records;
    // The records follow, from data() on.
    unsigned char* data() { return reinterpret_cast<unsigned char*>(this + 1); }
};

record_arena::~record_arena() {
    release_all();
    if (first_ == nullptr) return;
    ASAN_UNPOISON_MEMORY_REGION(first_->data(), gap_ + first_->records * (kRecordSize + gap_));
    std::free(first_);
}

void record_arena::add_block() {
    if (!decided_) {
        checked_ = kAddressSanitizer || RUNNING_ON_VALGRIND != 0;
        // cppcheck-suppress knownConditionTrueFalse ; true under valgrind, known only at run time
        gap_ = checked_ ? kCheckedGap : 0;
        decided_ = true;
    }
    const std::size_t records =
        current_ == nullptr ? kFirstRecords : std::min(2 * current_->records, kLargestRecords);
    const std::size_t bytes = gap_ + records * (kRecordSize + gap_);
    auto* fresh = static_cast<block*>(std::malloc(sizeof(block) + bytes));
    if (fresh == nullptr) throw run_failure::out_of_memory();
    fresh->next = nullptr;
    fresh->records = records;
    // Nothing in the block may be used until it is handed out as a record.
    ASAN_POISON_MEMORY_REGION(fresh->data(), bytes);
    VALGRIND_MAKE_MEM_NOACCESS(fresh->data(), bytes);
    (current_ == nullptr ? first_ : current_->next) = fresh;
    current_ = fresh;
    used_ = 0;
}

void* record_arena::allocate() {
    if (current_ == nullptr && first_ != nullptr) {
        current_ = first_;
        used_ = 0;
    } else if (current_ == nullptr || used_ == current_->records) {
        add_block();
    }
    unsigned char* record = current_->data() + gap_ + used_ * (kRecordSize + gap_);
    ++used_;
    ASAN_UNPOISON_MEMORY_REGION(record, kRecordSize);
    VALGRIND_MALLOCLIKE_BLOCK(record, kRecordSize, gap_, 0);
    return record;
}

void record_arena::release_all() {
    if (current_ == nullptr) return;
    if (checked_) {
        for (block* b = first_; b != current_->next; b = b->next) {
            const std::size_t handed_out = b == current_ ? used_ : b->records;
            for (std::size_t i = 0; i < handed_out; ++i) {
                unsigned char* record = b->data() + gap_ + i * (kRecordSize + gap_);
                VALGRIND_FREELIKE_BLOCK(record, gap_);
                ASAN_POISON_MEMORY_REGION(record, kRecordSize);
            }
        }
    }
    for (block* b = first_->next; b != nullptr;) {
        block* next = b->next;
        ASAN_UNPOISON_MEMORY_REGION(b->data(), gap_ + b->records * (kRecordSize + gap_));
        std::free(b);
        b = next;
    }
    first_->next = nullptr;
    current_ = nullptr;
    used_ = 0;
}
