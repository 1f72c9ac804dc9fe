// The 88-byte records as the driver writes them into the tool's buffers. Each
// is written over a blank image from record_fill, whose bytes stay wherever the
// record format leaves a byte open (padding, bytes after a name's NUL, a lookup
// entry's `installed`).
#pragma once

#include <cstdint>

#include "model/link_state.h"
#include "model/record_fill.h"
#include "records.h"

namespace model {

// `mode` gets ZLM_EXISTS; `segs` and `ttls` get the given handles.
record_image link_record(record_image image, const link_state& link, std::uint64_t first_segment,
                         std::uint64_t first_entry);

// `state` gets ZLS_EXISTS; `next` gets the given handle.
record_image segment_record(record_image image, const segment_state& segment, std::uint64_t next);

record_image lookup_record(record_image image, const lookup_entry& entry, std::uint64_t next);

}  // namespace model
