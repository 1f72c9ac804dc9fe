// The 88-byte records as the driver writes them into the tool's buffers.
// Every byte the record format leaves open (padding, bytes after a name's NUL,
// a lookup entry's `installed`) carries kFillByte, so that a tool relying on
// any of them shows it.
#pragma once

#include <array>
#include <cstdint>

#include "records.h"
#include "standin/link_state.h"

namespace standin {

inline constexpr std::uint8_t kFillByte = 0xA5;

using record_image = std::array<std::uint8_t, kRecordSize>;

// `mode` gets ZLM_EXISTS; `segs` and `ttls` get the given handles.
record_image link_record(const link_state& link, std::uint64_t first_segment,
                         std::uint64_t first_entry);

// `state` gets ZLS_EXISTS; `next` gets the given handle.
record_image segment_record(const segment_state& segment, std::uint64_t next);

record_image lookup_record(const lookup_entry& entry, std::uint64_t next);

}  // namespace standin
