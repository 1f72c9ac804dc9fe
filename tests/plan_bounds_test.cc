// zlplan's memory does not grow with its input, in any mode: the built
// program's peak resident size on an input and on one four times as long
// stays within a few MiB. Time is for bench/plan-bounds to show.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "child_process.h"

namespace {

struct bounded_case {
    const char* what;
    std::vector<std::string> args;  // before the input file
    std::string head, part, tail;   // the input: the part, many times over, between these
    int parts;
};

void PrintTo(const bounded_case& c, std::ostream* out) {
    *out << c.what;
}

// Peak resident KiB of zlplan on the input of `parts` parts, its output
// discarded. A child's peak counts what it was forked from, so the input is
// written a part at a time.
long peak_kib(const std::filesystem::path& dir, const bounded_case& c, int parts) {
    {
        std::ofstream input(dir / "input.conf", std::ios::binary);
        input << c.head;
        for (int i = 0; i < parts; ++i) input << c.part;
        input << c.tail;
    }
    std::vector<std::string> args = c.args;
    args.insert(args.begin(), ZLPLAN_BINARY);
    args.push_back((dir / "input.conf").string());
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (chdir(dir.c_str()) != 0 || null < 0) _exit(126);
        dup2(null, 1);
        dup2(null, 2);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) <= 1) << "status " << status;
    return usage.ru_maxrss;
}

const char* const kSegmentsState = "segments.state";

class PlanBounds : public testing::TestWithParam<bounded_case> {};

TEST_P(PlanBounds, MemoryDoesNotGrowWithTheInput) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer keeps freed memory for a while";
#endif
    const scratch_dir dir("plan-bounds");
    std::string state = "link zl0\n";
    for (int n = 0; n < 4095; ++n) state += "  segment s" + std::to_string(n) + "\n";
    write_text(dir.path() / kSegmentsState, state);
    const bounded_case& c = GetParam();
    const long small = peak_kib(dir.path(), c, c.parts);
    const long large = peak_kib(dir.path(), c, 4 * c.parts);
    EXPECT_LT(large - small, 4 * 1024)
        << c.what << ": " << small << " KiB, then " << large << " KiB";
}

INSTANTIATE_TEST_SUITE_P(
    EveryMode, PlanBounds,
    testing::Values(bounded_case{"ignored runs and warnings, as JSON",
                                 {"--check", "--json"},
                                 "",
                                 "segmnet @@ NOTE\n# x\n",
                                 "",
                                 50000},
                    bounded_case{"requests, with --check",
                                 {"--check"},
                                 "",
                                 "zl zl0 rr seg ce0 ; tl 02:00:00:00:00:01 ce0 end\n",
                                 "",
                                 20000},
                    bounded_case{"dumpinfos of a large link",
                                 {"--check", "--state", kSegmentsState},
                                 "zl zl0 ",
                                 "di ",
                                 "end\n",
                                 25},
                    bounded_case{"one long word", {"--check", "--json"}, "", "x", "@\n", 1 << 20}));

}  // namespace
