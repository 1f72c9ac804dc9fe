// The operations that the grammar's actions call, in one place.
#pragma once

#include <cstdint>

/// Abstract so that parser tests can record the exact sequence of operations
/// with their arguments. The real implementation, zlconf_actions(), calls the
/// link and driver operations of the same names.
class config_actions {
public:
    virtual ~config_actions() = default;

    virtual void create_link() = 0;
    virtual void set_linkname(const char* name) = 0;
    virtual void close_link() = 0;

    virtual void link_opt_add() = 0;
    virtual void link_opt_delete() = 0;
    virtual void link_opt_dstroute() = 0;
    virtual void link_opt_dymxor() = 0;
    virtual void link_opt_fallover() = 0;
    virtual void link_opt_roundrobin() = 0;
    virtual void link_opt_spillover() = 0;
    virtual void link_opt_tablelookup_address(std::int32_t a0, std::int32_t a1, std::int32_t a2,
                                              std::int32_t a3, std::int32_t a4,
                                              std::int32_t a5) = 0;
    virtual void link_opt_tablelookup_interfacename(const char* name) = 0;
    virtual void link_opt_dumpinfo() = 0;

    virtual void create_segment() = 0;
    virtual void segment_interfacename(const char* name) = 0;
    virtual void close_segment() = 0;

    virtual void seg_opt_add() = 0;
    virtual void seg_opt_delete() = 0;
    virtual void seg_opt_sameaddr() = 0;
    virtual void seg_opt_diffaddr() = 0;
    virtual void seg_opt_standby() = 0;
    virtual void seg_opt_auto() = 0;
    virtual void seg_opt_100bt() = 0;
    virtual void seg_opt_10bt() = 0;
    virtual void seg_opt_halfdux() = 0;
    virtual void seg_opt_fulldux() = 0;
    virtual void seg_opt_trunk() = 0;
};

config_actions& zlconf_actions();

class bound_actions;
/// The same operations as their own final class, for the tool's parse.
bound_actions& zlconf_bound_actions();
