// Grammar actions that only record what was called, with its arguments.
#pragma once

#include <string>
#include <vector>

#include "config/actions.h"

class recording_actions final : public config_actions {
public:
    std::vector<std::string> calls;

    void create_link() override { calls.emplace_back("create_link"); }
    void set_linkname(const char* name) override {
        calls.push_back(std::string("set_linkname ") + name);
    }
    void close_link() override { calls.emplace_back("close_link"); }

    void link_opt_add() override { calls.emplace_back("link_opt_add"); }
    void link_opt_delete() override { calls.emplace_back("link_opt_delete"); }
    void link_opt_dstroute() override { calls.emplace_back("link_opt_dstroute"); }
    void link_opt_dymxor() override { calls.emplace_back("link_opt_dymxor"); }
    void link_opt_fallover() override { calls.emplace_back("link_opt_fallover"); }
    void link_opt_roundrobin() override { calls.emplace_back("link_opt_roundrobin"); }
    void link_opt_spillover() override { calls.emplace_back("link_opt_spillover"); }
    void link_opt_tablelookup_address(std::int32_t a0, std::int32_t a1, std::int32_t a2,
                                      std::int32_t a3, std::int32_t a4, std::int32_t a5) override {
        calls.push_back("link_opt_tablelookup_address " + std::to_string(a0) + " " +
                        std::to_string(a1) + " " + std::to_string(a2) + " " + std::to_string(a3) +
                        " " + std::to_string(a4) + " " + std::to_string(a5));
    }
    void link_opt_tablelookup_interfacename(const char* name) override {
        calls.push_back(std::string("link_opt_tablelookup_interfacename ") + name);
    }
    void link_opt_dumpinfo() override { calls.emplace_back("link_opt_dumpinfo"); }

    void create_segment() override { calls.emplace_back("create_segment"); }
    void segment_interfacename(const char* name) override {
        calls.push_back(std::string("segment_interfacename ") + name);
    }
    void close_segment() override { calls.emplace_back("close_segment"); }

    void seg_opt_add() override { calls.emplace_back("seg_opt_add"); }
    void seg_opt_delete() override { calls.emplace_back("seg_opt_delete"); }
    void seg_opt_sameaddr() override { calls.emplace_back("seg_opt_sameaddr"); }
    void seg_opt_diffaddr() override { calls.emplace_back("seg_opt_diffaddr"); }
    void seg_opt_standby() override { calls.emplace_back("seg_opt_standby"); }
    void seg_opt_auto() override { calls.emplace_back("seg_opt_auto"); }
    void seg_opt_100bt() override { calls.emplace_back("seg_opt_100bt"); }
    void seg_opt_10bt() override { calls.emplace_back("seg_opt_10bt"); }
    void seg_opt_halfdux() override { calls.emplace_back("seg_opt_halfdux"); }
    void seg_opt_fulldux() override { calls.emplace_back("seg_opt_fulldux"); }
    void seg_opt_trunk() override { calls.emplace_back("seg_opt_trunk"); }
};
