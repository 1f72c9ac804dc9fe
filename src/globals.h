// The state that the grammar actions share while one link block is parsed.
#pragma once

#include <cstdint>

#include "records.h"

extern link_desc* zl;          // the link being configured; owns both lists
extern seg_desc* working_seg;  // the segment that segment statements change; owns nothing
extern int linkfp;             // descriptor of the link's device; 0 when none is open
extern std::int64_t lineno;    // line being read: 1 plus the newlines consumed so far
