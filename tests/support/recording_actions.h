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

#define ZLCONF_STATEMENT(name) \
    void name() override {     \
        record(#name);         \
    }
#include "config/statements.def"

    void set_linkname(const char* name) override {
        record(std::string("set_linkname ") + name);
    }
    void link_opt_tablelookup_address(std::int32_t a0, std::int32_t a1, std::int32_t a2,
                                      std::int32_t a3, std::int32_t a4, std::int32_t a5) override {
        record("link_opt_tablelookup_address " + std::to_string(a0) + " " + std::to_string(a1) +
               " " + std::to_string(a2) + " " + std::to_string(a3) + " " + std::to_string(a4) +
               " " + std::to_string(a5));
    }
    void link_opt_tablelookup_interfacename(const char* name) override {
        record(std::string("link_opt_tablelookup_interfacename ") + name);
    }
    void segment_interfacename(const char* name) override {
        record(std::string("segment_interfacename ") + name);
    }

private:
    void record(std::string call) {
        if (on_call) on_call(call);
        calls.push_back(std::move(call));
    }
};
