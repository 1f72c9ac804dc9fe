// One run of the configuration language: the link block in progress, the
// device it is read from and committed to, and the lexer that reads the input.
// Each statement's operation is defined in session.cc, in terms of the link
// description's changes and the driver's requests; nothing of a run
// outlives it.
#pragma once

#include <cstdint>
#include <cstdio>

#include "config/actions.h"
#include "config/byte_source.h"
#include "config/lexer.h"
#include "driver/device.h"
#include "link/link_description.h"
#include "records.h"

class session final : public config_actions, public link_description {
public:
    /// Echoed characters and the length-limit message go to `out`; links are
    /// opened, read and committed through `driver`.
    session(byte_source& input, std::FILE* out, device& driver);
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

    /// Reads the link at `linkfp` into `zl`: 1 when the driver has it, 0 when
    /// not. A segment or table-lookup entry that cannot be read ends the run.
    int getlinkinfo();

    int linkfp = 0;           // descriptor of the link's device; 0 when none is open
    std::int64_t lineno = 1;  // line being read: 1 plus the newlines consumed so far

private:
    device& driver_;
    char device_name_[kNameField] = {};  // the link name of `linkfp`'s path, as the file wrote it
    lexer lex_;
};
