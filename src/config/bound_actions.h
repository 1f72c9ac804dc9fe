// The grammar actions bound to the tool's own operations.
#pragma once

#include "actions.h"
#include "driver/link_driver.h"
#include "link/description.h"
#include "link/options.h"

// Binds each grammar action to the operation of its name.
class bound_actions final : public config_actions {
public:
    void create_link() override { ::create_link(); }
    void set_linkname(const char* name) override { ::set_linkname(name); }
    void close_link() override { ::close_link(); }

    void link_opt_add() override { ::link_opt_add(); }
    void link_opt_delete() override { ::link_opt_delete(); }
    void link_opt_dstroute() override { ::link_opt_dstroute(); }
    void link_opt_dymxor() override { ::link_opt_dymxor(); }
    void link_opt_fallover() override { ::link_opt_fallover(); }
    void link_opt_roundrobin() override { ::link_opt_roundrobin(); }
    void link_opt_spillover() override { ::link_opt_spillover(); }
    void link_opt_tablelookup_address(std::int32_t a0, std::int32_t a1, std::int32_t a2,
                                      std::int32_t a3, std::int32_t a4, std::int32_t a5) override {
        ::link_opt_tablelookup_address(a0, a1, a2, a3, a4, a5);
    }
    void link_opt_tablelookup_interfacename(const char* name) override {
        ::link_opt_tablelookup_interfacename(name);
    }
    void link_opt_dumpinfo() override { ::link_opt_dumpinfo(); }

    void create_segment() override { ::create_segment(); }
    void segment_interfacename(const char* name) override { ::segment_interfacename(name); }
    void close_segment() override { ::close_segment(); }

    void seg_opt_add() override { ::seg_opt_add(); }
    void seg_opt_delete() override { ::seg_opt_delete(); }
    void seg_opt_sameaddr() override { ::seg_opt_sameaddr(); }
    void seg_opt_diffaddr() override { ::seg_opt_diffaddr(); }
    void seg_opt_standby() override { ::seg_opt_standby(); }
    void seg_opt_auto() override { ::seg_opt_auto(); }
    void seg_opt_100bt() override { ::seg_opt_100bt(); }
    void seg_opt_10bt() override { ::seg_opt_10bt(); }
    void seg_opt_halfdux() override { ::seg_opt_halfdux(); }
    void seg_opt_fulldux() override { ::seg_opt_fulldux(); }
    void seg_opt_trunk() override { ::seg_opt_trunk(); }
};
