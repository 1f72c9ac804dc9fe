// The grammar's actions for a plan: each goes on to zlconf's own operation,
// and the plan notes around them what was read, printed and sent. DUMPINFO
// goes to the plan's output rather than to standard error. Each block goes to
// the output when its link is read, and at its end.
#pragma once

#include <string>
#include <vector>

#include "config/actions.h"
#include "config/lexer.h"
#include "plan/link_plan.h"
#include "plan/plan_output.h"
#include "plan/planning_device.h"
#include "plan/source_window.h"
#include "session.h"

namespace plan {

// Hands every operation on to zlconf's own; plan_recorder overrides those
// around which it notes something.
class forward_to_session : public config_actions {
public:
    explicit forward_to_session(session& zlconf) : zlconf_(zlconf) {}

#define ZLCONF_STATEMENT(name) \
    void name() override {     \
        zlconf_.name();        \
    }
#include "config/statements.def"
    void set_linkname(const char* name) override {
        zlconf_.set_linkname(name);
    }
    void link_opt_tablelookup_address(std::int32_t a0, std::int32_t a1, std::int32_t a2,
                                      std::int32_t a3, std::int32_t a4, std::int32_t a5) override {
        zlconf_.link_opt_tablelookup_address(a0, a1, a2, a3, a4, a5);
    }
    void link_opt_tablelookup_interfacename(const char* name) override {
        zlconf_.link_opt_tablelookup_interfacename(name);
    }
    void segment_interfacename(const char* name) override {
        zlconf_.segment_interfacename(name);
    }

protected:
    session& zlconf_;
};

class plan_recorder final : public forward_to_session {
public:
    plan_recorder(session& zlconf, const lexer& lex, const planning_device& device,
                  const source_window& source, whole_plan& plan, plan_output& out)
        : forward_to_session(zlconf),
          lex_(lex),
          device_(device),
          source_(source),
          plan_(plan),
          out_(out) {}

    void set_linkname(const char* name) override;
    void close_link() override;
    /// An entry is placed at its interface name, the statement's last word.
    void link_opt_tablelookup_interfacename(const char* name) override {
        entry_points_.push_back(here());
        zlconf_.link_opt_tablelookup_interfacename(name);
    }
    void link_opt_dumpinfo() override;

private:
    source_point here() const { return source_.point_at(lex_.token_offset()); }
    void warn(const source_point& at, const std::string& text);
    // Worth knowing, not a likely mistake: --strict does not count it.
    void note(const source_point& at, const std::string& text);
    void check_entries();

    const lexer& lex_;
    const planning_device& device_;
    const source_window& source_;
    whole_plan& plan_;
    plan_output& out_;
    std::vector<source_point> entry_points_;  // the block's table-lookup statements
};

}  // namespace plan
