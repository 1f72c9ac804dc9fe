// Every allocation of a few representative runs of the built zlconf, and of
// zlplan, is made to fail in turn (failing_malloc.cc): each run either ends
// with the out-of-memory report and status 1, the commits (or the plan) before
// it kept, or does not notice (the C library copes), and none crashes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "child_process.h"

namespace {

struct scenario {
    const char* name;
    const char* program;
    const char* out_of_memory;  // the report
    std::string state;
    std::string config;
    std::string failures;  // ZLSTANDIN_FAIL
};

void PrintTo(const scenario& s, std::ostream* os) {
    *os << s.name;
}

constexpr const char* kZlconf = ZLCONF_BINARY;
constexpr const char* kZlconfOutOfMemory = "zlconf: Cannot allocate memory\n";

std::vector<scenario> scenarios() {
    return {
        {"site_example", kZlconf, kZlconfOutOfMemory, file_text(EXAMPLES_DIR "/site.state"),
         file_text(EXAMPLES_DIR "/site.conf"), ""},
        {"echo_and_syntax_error", kZlconf, kZlconfOutOfMemory, "",
         "zl zl0 seg ce0 ; tl 02:00:00:00:00:01 ce0 end\nECHOED zl zl1 seg seg\nzl zl2 end\n", ""},
        {"read_fails", kZlconf, kZlconfOutOfMemory,
         "link zl3\n  segment ce0 state 0x111\n  segment ce1 state 0x111\n  tl 02:00:00:00:00:01 "
         "ce0\n",
         "zl zl2 seg kce5 ; end\nzl zl3 di end\n", "ZLIOGSEG:2:EIO"},
        {"open_fails", kZlconf, kZlconfOutOfMemory, "", "zl zl0 seg ce0 ; end\nzl zl1 end\n",
         "open:zl1:EACCES"},
        {"plan_with_echo_and_syntax_error", ZLPLAN_BINARY, "zlplan: Cannot allocate memory\n",
         "link zl0\n  segment ce0 state 0x111\n",
         "zl zl0 seg ce0 ; di tl 02:00:00:00:00:01 ce0 end\nzl zl0 @ end\nzl zl1 seg seg\n", ""},
    };
}

struct failing_run : standin_result {
    std::string report;  // what failing_malloc.cc says of the allocations
};

failing_run run_failing(const scenario& s, unsigned long allocation) {
    const scratch_dir dir("zlconf-allocation");
    standin_run run{s.config,
                    s.state,
                    "",
                    s.failures,
                    {"zlconf.conf"},
                    {"LD_PRELOAD=" + std::string(FAILING_MALLOC) + ":" + STANDIN_PRELOAD,
                     "ZLFAULT_ALLOC_REPORT=report"}};
    if (allocation != 0) run.env.push_back("ZLFAULT_ALLOC_FAIL=" + std::to_string(allocation));
    failing_run r{run_under_standin(dir.path(), s.program, run), ""};
    r.report = file_text(dir.path() / "report");
    return r;
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
    const failing_run clean = run_failing(s, 0);
    ASSERT_LT(clean.status, 128) << clean.err;
    ASSERT_TRUE(clean.report.ends_with("failed=0\n")) << clean.report;
    const unsigned long total = allocations_in(clean.report);
    ASSERT_GT(total, 0U);

    int reported = 0;
    for (unsigned long n = 1; n <= total; ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n) + " of " + std::to_string(total));
        const failing_run r = run_failing(s, n);
        ASSERT_LT(r.status, 128) << "crashed: " << r.err;
        EXPECT_TRUE(r.report.ends_with("failed=1\n")) << r.report;
        EXPECT_TRUE(clean.log.starts_with(r.log)) << "no request that the clean run did not send";
        EXPECT_TRUE(clean.out.starts_with(r.out));
        if (r.status == clean.status && r.err == clean.err && r.log == clean.log &&
            r.out == clean.out) {
            continue;  // the C library made do without it
        }
        ++reported;
        EXPECT_EQ(r.status, 1);
        ASSERT_TRUE(r.err.ends_with(s.out_of_memory)) << r.err;
        EXPECT_TRUE(
            clean.err.starts_with(r.err.substr(0, r.err.size() - std::strlen(s.out_of_memory))))
            << "before the report, what the clean run wrote";
    }
    EXPECT_GT(reported, 0) << "no allocation of the tool's own was reached";
}

INSTANTIATE_TEST_SUITE_P(Scenarios, AllocationFailures, testing::ValuesIn(scenarios()),
                         [](const testing::TestParamInfo<scenario>& p) { return p.param.name; });

}  // namespace
