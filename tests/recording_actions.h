// Grammar actions that only record what was called, with its arguments.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "config/actions.h"

class recording_actions final : public config_actions {
public:
    std::vector<std::string> calls;
    /// Called with each call as it is recorded, to check the moment it comes at.
    std::function<void(const std::string&)> on_call;

    void create_link() override { record("create_link"); }
    void set_linkname(const char* name) override { record(std::string("set_linkname ") + name); }
    void close_link() override { record("close_link"); }

    void link_opt_add() override { record("link_opt_add"); }
    void link_opt_delete() override { record("link_opt_delete"); }
    void link_opt_dstroute() override { record("link_opt_dstroute"); }
    void link_opt_dymxor() override { record("link_opt_dymxor"); }
    void link_opt_fallover() override { record("link_opt_fallover"); }
    void link_opt_roundrobin() override { record("link_opt_roundrobin"); }
    void link_opt_spillover() override { record("link_opt_spillover"); }
    void link_opt_tablelookup_address(std::int32_t a0, std::int32_t a1, std::int32_t a2,
                                      std::int32_t a3, std::int32_t a4, std::int32_t a5) override {
        record("link_opt_tablelookup_address " + std::to_string(a0) + " " + std::to_string(a1) +
               " " + std::to_string(a2) + " " + std::to_string(a3) + " " + std::to_string(a4) +
               " " + std::to_string(a5));
    }
    void link_opt_tablelookup_interfacename(const char* name) override {
        record(std::string("link_opt_tablelookup_interfacename ") + name);
    }
    void link_opt_dumpinfo() override { record("link_opt_dumpinfo"); }

    void create_segment() override { record("create_segment"); }
    void segment_interfacename(const char* name) override {
        record(std::string("segment_interfacename ") + name);
    }
    void close_segment() override { record("close_segment"); }

    void seg_opt_add() override { record("seg_opt_add"); }
    void seg_opt_delete() override { record("seg_opt_delete"); }
    void seg_opt_sameaddr() override { record("seg_opt_sameaddr"); }
    void seg_opt_diffaddr() override { record("seg_opt_diffaddr"); }
    void seg_opt_standby() override { record("seg_opt_standby"); }
    void seg_opt_auto() override { record("seg_opt_auto"); }
    void seg_opt_100bt() override { record("seg_opt_100bt"); }
    void seg_opt_10bt() override { record("seg_opt_10bt"); }
    void seg_opt_halfdux() override { record("seg_opt_halfdux"); }
    void seg_opt_fulldux() override { record("seg_opt_fulldux"); }
    void seg_opt_trunk() override { record("seg_opt_trunk"); }

private:
    void record(std::string call) {
        if (on_call) on_call(call);
        calls.push_back(std::move(call));
    }
};
