// The in-memory description of the link being configured: `zl`, its segment
// list and its table-lookup list. Lists are appended at the tail and searched
// from the head; records are never unlinked, only released all together.
#pragma once

#include <cstdint>

#include "records.h"

void create_link();
void create_segment();
/// Finds the named segment or appends a new one, and makes it `working_seg`.
void segment_interfacename(const char* name);
/// The first segment whose name is exactly `name`, or null.
seg_desc* find_seg(const char* name);
void close_segment();
/// Appends a table-lookup entry for this address, its interface still empty.
void link_opt_tablelookup_address(std::int32_t a0, std::int32_t a1, std::int32_t a2,
                                  std::int32_t a3, std::int32_t a4, std::int32_t a5);
/// Completes the entry just appended and sets ZLM_TBLLOOKUP.
void link_opt_tablelookup_interfacename(const char* name);

/// A record of the description's arena, uncleared; a failed allocation ends
/// the run. Every record lives until release_link_description.
void* allocate_record();

/// Releases `zl` with both its lists and sets it to null.
void release_link_description();

/// Forgets where the lists of the previous description ended; called whenever
/// `zl` is given a new description.
void forget_list_tails();
