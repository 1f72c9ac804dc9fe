// What the stand-in driver leaves in the bytes that the record format leaves
// to it: padding, the bytes after a name's NUL and a lookup entry's
// `installed`. A real driver may leave anything there, so the tool must set
// every byte it relies on; a stand-in that always left the same value would
// let a tool that forgets one pass by luck.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "records.h"

namespace model {

using record_image = std::array<std::uint8_t, kRecordSize>;

enum class fill_policy {
    zeros,  // every open byte 0x00
    a5,     // every open byte 0xA5
    // Links, segments and entries each counted on their own, so that the
    // first of each kind is all zeros: 0x00, 0xA5, then a pattern that
    // changes with the record, in turn.
    varied,
};

// "zeros", "a5" or "varied"; an empty text is "varied". Throws
// std::invalid_argument for anything else.
fill_policy parse_fill_policy(std::string_view text);

enum class record_kind_written : std::size_t { link, segment, lookup_entry };

// Hands out the blank images that the driver's records are written over, one
// per record, deterministically: the same reads give the same bytes.
class record_fill {
public:
    explicit record_fill(fill_policy policy = fill_policy::varied) : policy_(policy) {}

    record_image next(record_kind_written kind);

private:
    fill_policy policy_;
    std::array<std::uint32_t, 3> written_{};  // records handed out, per kind
};

}  // namespace model
