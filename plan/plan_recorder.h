// The grammar's actions for a plan: each goes on to zlconf's own operation,
// and the plan notes around them what was read, printed and sent. DUMPINFO is
// kept in the plan rather than printed. Each block goes to the plan's output
// at its end.
#pragma once

#include <string>
#include <vector>

#include "config/actions.h"
#include "config/lexer.h"
#include "plan/link_plan.h"
#include "plan/plan_output.h"
#include "plan/planning_device.h"
#include "plan/source_window.h"

namespace plan {

class plan_recorder final : public config_actions {
public:
    plan_recorder(config_actions& zlconf, const lexer& lex, const planning_device& device,
                  const source_window& source, whole_plan& plan, plan_output& out)
        : zlconf_(zlconf), lex_(lex), device_(device), source_(source), plan_(plan), out_(out) {}

    void create_link() override { zlconf_.create_link(); }
    void set_linkname(const char* name) override;
    void close_link() override;

    void link_opt_add() override { zlconf_.link_opt_add(); }
    void link_opt_delete() override { zlconf_.link_opt_delete(); }
    void link_opt_dstroute() override { zlconf_.link_opt_dstroute(); }
    void link_opt_dymxor() override { zlconf_.link_opt_dymxor(); }
    void link_opt_fallover() override { zlconf_.link_opt_fallover(); }
    void link_opt_roundrobin() override { zlconf_.link_opt_roundrobin(); }
    void link_opt_spillover() override { zlconf_.link_opt_spillover(); }
    void link_opt_tablelookup_address(std::int32_t a0, std::int32_t a1, std::int32_t a2,
                                      std::int32_t a3, std::int32_t a4, std::int32_t a5) override {
        // The line only: the address's bytes may stand apart.
        entry_points_.push_back({here().line, 0});
        zlconf_.link_opt_tablelookup_address(a0, a1, a2, a3, a4, a5);
    }
    void link_opt_tablelookup_interfacename(const char* name) override {
        zlconf_.link_opt_tablelookup_interfacename(name);
    }
    void link_opt_dumpinfo() override;

    void create_segment() override { zlconf_.create_segment(); }
    void segment_interfacename(const char* name) override { zlconf_.segment_interfacename(name); }
    void close_segment() override { zlconf_.close_segment(); }

    void seg_opt_add() override { zlconf_.seg_opt_add(); }
    void seg_opt_delete() override { zlconf_.seg_opt_delete(); }
    void seg_opt_sameaddr() override { zlconf_.seg_opt_sameaddr(); }
    void seg_opt_diffaddr() override { zlconf_.seg_opt_diffaddr(); }
    void seg_opt_standby() override { zlconf_.seg_opt_standby(); }
    void seg_opt_auto() override { zlconf_.seg_opt_auto(); }
    void seg_opt_100bt() override { zlconf_.seg_opt_100bt(); }
    void seg_opt_10bt() override { zlconf_.seg_opt_10bt(); }
    void seg_opt_halfdux() override { zlconf_.seg_opt_halfdux(); }
    void seg_opt_fulldux() override { zlconf_.seg_opt_fulldux(); }
    void seg_opt_trunk() override { zlconf_.seg_opt_trunk(); }

private:
    source_point here() const { return source_.point_at(lex_.token_offset()); }
    void warn(const source_point& at, const std::string& text);
    void check_entries();

    config_actions& zlconf_;
    const lexer& lex_;
    const planning_device& device_;
    const source_window& source_;
    whole_plan& plan_;
    plan_output& out_;
    std::vector<source_point> entry_points_;  // the block's table-lookup statements
};

}  // namespace plan
