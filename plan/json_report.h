// A plan as one JSON document, for programs: the same content as the text.
#pragma once

#include <cstddef>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "plan/link_plan.h"
#include "plan/plan_output.h"

namespace plan {

/// Writes the document as the plan is made, holding none of it: the ignored
/// runs and the warnings, which come after the links, wait in temporary
/// files (in memory only when none can be made). It ends with "status", and when
/// no plan could be made, with "error" before it: the document is whole
/// however the run ends. The diagnostics go to `diagnostics` as text does.
class json_output final : public plan_output {
public:
    json_output(std::FILE* out, std::FILE* diagnostics);
    void begin(const whole_plan& plan) override;
    void link_read(const whole_plan& plan, const link_plan& link) override;
    void dumpinfo(const whole_plan& plan, const link_plan& link,
                  const dumpinfo_report& report) override;
    void link(const whole_plan& plan, const link_plan& link) override;
    void ignored(const whole_plan& plan, const ignored_text& text) override;
    void warning(const whole_plan& plan, const plan_warning& warning) override;
    void end(const whole_plan& plan) override;
    void fail(const whole_plan& plan, const std::string& message, int status) override;

private:
    /// The items of an array, written out at the end.
    class spool {
    public:
        spool();
        ~spool();
        spool(const spool&) = delete;
        spool& operator=(const spool&) = delete;
        void add(const std::string& item);
        /// The array's text when it is held in memory; else its start, the
        /// rest to come from copy_to.
        std::string array();
        void copy_to(std::FILE* out);

    private:
        std::FILE* file_;
        std::string held_;
        bool empty_ = true;
    };

    void put(const std::string& text);
    void close_dumpinfos(const link_plan& link);
    void close_links();

    std::FILE* out_;
    std::FILE* diagnostics_;
    bool begun_ = false;
    std::size_t links_ = 0;
    bool open_ = false;  // a block's object is written up to its DUMPINFOs
    std::size_t dumpinfos_ = 0;
    spool ignored_;
    spool warnings_;
    spool notes_;
};

}  // namespace plan
