// One run of the configuration language: the link block in progress, the
// device it is read from and committed to, and the lexer that reads the input.
// The grammar's operations are the session's; nothing of a run outlives it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "config/actions.h"
#include "config/byte_source.h"
#include "config/echo_observer.h"
#include "config/lexer.h"
#include "driver/device.h"
#include "link/record_arena.h"
#include "link/segment_index.h"
#include "records.h"

/// Final, so that the parser calls its operations directly; config_actions
/// stays the seam for tests that record the operations instead.
class session final : public config_actions {
public:
    /// Echoed characters and the length-limit message go to `out`; links are
    /// opened, read and committed through `driver`.
    session(byte_source& input, std::FILE* out, device& driver = system_device());
    /// Echoed characters go to `echo` instead; the length-limit message is
    /// then carried by the run_failure alone, with no stream.
    session(byte_source& input, echo_observer& echo, device& driver);
    session(const session&) = delete;
    session& operator=(const session&) = delete;

    /// Parses the whole input once with this session's operations; the syntax
    /// error line goes to `diagnostics`. 0 when it was accepted, 1 after a
    /// syntax error; a failure that ends the run is thrown as run_failure.
    int parse(std::FILE* diagnostics);

    lexer& lex() { return lex_; }
    device& driver() { return driver_; }

#define ZLCONF_STATEMENT(name) void name() override;
#include "config/statements.def"
    void set_linkname(const char* name) override;
    void link_opt_tablelookup_address(std::int32_t a0, std::int32_t a1, std::int32_t a2,
                                      std::int32_t a3, std::int32_t a4, std::int32_t a5) override;
    void link_opt_tablelookup_interfacename(const char* name) override;
    void segment_interfacename(const char* name) override;

    /// The first segment of `zl` whose name is exactly `name`, or null.
    seg_desc* find_seg(const char* name);

    /// Reads the link at `linkfp` into `zl`: 1 when the driver has it, 0 when
    /// not. A segment or table-lookup entry that cannot be read ends the run.
    int getlinkinfo();

    /// A record of the description's arena, uncleared; a failed allocation
    /// ends the run. Every record lives until release_link_description.
    void* allocate_record() {
        return arena_.allocate();
    }

    /// Releases `zl` with both its lists and sets it to null.
    void release_link_description();

    link_desc* zl = nullptr;          // the link being configured; owns both lists
    seg_desc* working_seg = nullptr;  // the segment that segment statements change; owns nothing
    int linkfp = 0;                   // descriptor of the link's device; 0 when none is open
    std::int64_t lineno = 1;          // line being read: 1 plus the newlines consumed so far

private:
    struct name_text;
    seg_desc* find_named(const name_text& name);

    // Where the lists of `zl` end and how long the segment list is, so that
    // appending costs the same however long a list is. Valid only for the
    // description `of`; forgotten when the description is released.
    struct list_tails {
        const link_desc* of = nullptr;
        seg_desc* last_seg = nullptr;
        ttl_entry* last_ttl = nullptr;
        std::size_t seg_count = 0;
    };
    list_tails& tails_of_zl();

    device& driver_;
    char device_name_[kNameField] = {};  // the link name of `linkfp`'s path, as the file wrote it
    record_arena arena_;
    list_tails tails_;
    segment_index segments_by_name_;  // active only for long segment lists of `tails_.of`
    lexer lex_;
};
