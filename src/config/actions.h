// The operations that the grammar's actions call, in one place.
#pragma once

#include <cstdint>

/// Abstract so that parser tests can record the exact sequence of operations
/// with their arguments. The real implementation, session, carries them out.
class config_actions {
public:
    virtual ~config_actions() = default;

#define ZLCONF_STATEMENT(name) virtual void name() = 0;
#include "statements.def"

    virtual void set_linkname(const char* name) = 0;
    virtual void link_opt_tablelookup_address(std::int32_t a0, std::int32_t a1, std::int32_t a2,
                                              std::int32_t a3, std::int32_t a4,
                                              std::int32_t a5) = 0;
    virtual void link_opt_tablelookup_interfacename(const char* name) = 0;
    virtual void segment_interfacename(const char* name) = 0;
};
