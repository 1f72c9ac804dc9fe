// Every allocation of a few representative runs of the built zlconf is made
// to fail in turn (failing_malloc.cc): each run either ends with the
// out-of-memory report and status 1, the commits before it kept, or does not
// notice (the C library copes), and none crashes.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "zlconf_process.h"

namespace {

constexpr const char* kOutOfMemory = "zlconf: Cannot allocate memory\n";

struct scenario {
    const char* name;
    std::string state;
    std::string config;
    std::string failures;  // ZLSTANDIN_FAIL
};

void PrintTo(const scenario& s, std::ostream* os) {
    *os << s.name;
}

std::string read_example(const char* file) {
    std::ifstream in(std::string(EXAMPLES_DIR) + "/" + file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<scenario> scenarios() {
    return {
        {"site_example", read_example("site.state"), read_example("site.conf"), ""},
        {"echo_and_syntax_error", "",
         "zl zl0 seg ce0 ; tl 02:00:00:00:00:01 ce0 end\nECHOED zl zl1 seg seg\nzl zl2 end\n", ""},
        {"read_fails",
         "link zl3\n  segment ce0 state 0x111\n  segment ce1 state 0x111\n  tl 02:00:00:00:00:01 "
         "ce0\n",
         "zl zl2 seg kce5 ; end\nzl zl3 di end\n", "ZLIOGSEG:2:EIO"},
        {"open_fails", "", "zl zl0 seg ce0 ; end\nzl zl1 end\n", "open:zl1:EACCES"},
    };
}

zlconf_process_result run_failing(const scenario& s, unsigned long allocation) {
    zlconf_process_run run{s.config,
                           s.state,
                           std::string(FAILING_MALLOC) + ":" + STANDIN_PRELOAD,
                           {"ZLFAULT_ALLOC_REPORT=$REPORT"}};
    if (allocation != 0) run.env.push_back("ZLFAULT_ALLOC_FAIL=" + std::to_string(allocation));
    if (!s.failures.empty()) run.env.push_back("ZLSTANDIN_FAIL=" + s.failures);
    return run_zlconf_process(run);
}

unsigned long allocations_in(const std::string& report) {
    return std::stoul(report.substr(report.find('=') + 1));
}

class AllocationFailures : public testing::TestWithParam<scenario> {};

TEST_P(AllocationFailures, EachEndsTheRunCleanlyOrGoesUnnoticed) {
    if (std::string(FAILING_MALLOC).empty()) {
        GTEST_SKIP() << "the address sanitizer owns malloc; this runs in the plain build";
    }
    const scenario& s = GetParam();
    const zlconf_process_result clean = run_failing(s, 0);
    ASSERT_EQ(clean.signal, 0) << clean.err;
    ASSERT_TRUE(clean.report.ends_with("failed=0\n")) << clean.report;
    const unsigned long total = allocations_in(clean.report);
    ASSERT_GT(total, 0U);

    int reported = 0;
    for (unsigned long n = 1; n <= total; ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n) + " of " + std::to_string(total));
        const zlconf_process_result r = run_failing(s, n);
        ASSERT_EQ(r.signal, 0) << "crashed: " << r.err;
        EXPECT_TRUE(r.report.ends_with("failed=1\n")) << r.report;
        EXPECT_TRUE(clean.log.starts_with(r.log)) << "no request that the clean run did not send";
        EXPECT_TRUE(clean.out.starts_with(r.out));
        if (r.status == clean.status && r.err == clean.err && r.log == clean.log &&
            r.out == clean.out) {
            continue;  // the C library made do without it
        }
        ++reported;
        EXPECT_EQ(r.status, 1);
        ASSERT_TRUE(r.err.ends_with(kOutOfMemory)) << r.err;
        EXPECT_TRUE(
            clean.err.starts_with(r.err.substr(0, r.err.size() - std::strlen(kOutOfMemory))))
            << "before the report, what the clean run wrote";
    }
    EXPECT_GT(reported, 0) << "no allocation of the tool's own was reached";
}

INSTANTIATE_TEST_SUITE_P(Scenarios, AllocationFailures, testing::ValuesIn(scenarios()),
                         [](const testing::TestParamInfo<scenario>& p) { return p.param.name; });

}  // namespace
