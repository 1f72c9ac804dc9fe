// zlsim as a built program: the simulated driver persists between runs, shows
// its links as DUMPINFO does, logs the last run and injects failures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "child_process.h"

namespace {

using testing::HasSubstr;

class Zlsim : public testing::Test {
protected:
    child_result zlsim(std::vector<std::string> args, const std::string& input = {}) {
        args.insert(args.begin(), ZLSIM_BINARY);
        // The command finds zlconf beside zlsim; no preload of the caller's leaks in.
        return run_child(
            dir_.path(), args,
            {"ZLSIM_STATE=", "LD_PRELOAD=", "ZLSTANDIN_FAIL=", "ASAN_OPTIONS=detect_leaks=1"},
            input);
    }
    scratch_dir dir_{"zlsim"};
};

constexpr const char* kSeed =
    "link zl2\n"
    "  mode 0x00000120\n"
    "  segment ce0 speed 10 duplex 1 state 0x000a0110\n"
    "  tl 02:00:00:0a:0b:0c ce0\n";

TEST_F(Zlsim, KeepsTheDriverBetweenRunsInTheDefaultStateFile) {
    write_text(dir_.path() / "seed.state", kSeed);
    ASSERT_EQ(zlsim({"reset", "seed.state"}).status, 0);
    EXPECT_EQ(zlsim({"run", "--", "zlconf", "-"}, "zl zl2 rr seg ce1 ; end\n").status, 0);
    const child_result second = zlsim({"run", "zlconf", "-"}, "zl zl2 di end\n");

    EXPECT_EQ(second.status, 0);
    const std::string expected =
        "Zelnar zl2   mode 0x00000011\n"
        "  Segment ce0 speed 10 duplex 1 state 0x000a0111\n"
        "  Segment ce1 speed 100 duplex 2 state 0x00000111\n"
        "Table Lookup addresses\n"
        "  02:00:00:0a:0b:0c\tLink ce0\n";
    EXPECT_EQ(second.err, expected);  // what zlconf's DUMPINFO read
    EXPECT_EQ(zlsim({"show"}).out, expected);
    EXPECT_TRUE(std::filesystem::exists(dir_.path() / "zlsim.state"));
}

TEST_F(Zlsim, ShowsUnprintableBytesOfNamesEscaped) {
    write_text(dir_.path() / "seed.state",
               "link zl2\n  segment ce\\x1b[2J speed 100 duplex 2 state 0x110\n"
               "  tl 02:00:00:0a:0b:0c ce\\x0a\n");
    ASSERT_EQ(zlsim({"reset", "seed.state"}).status, 0);
    EXPECT_EQ(zlsim({"show"}).out,
              "Zelnar zl2   mode 0x00000001\n"
              "  Segment ce\\x1b[2J speed 100 duplex 2 state 0x00000111\n"
              "Table Lookup addresses\n"
              "  02:00:00:0a:0b:0c\tLink ce\\x0a\n");
}

TEST_F(Zlsim, LogsTheRequestsOfTheLastRunOnly) {
    zlsim({"run", "zlconf", "-"}, "zl zl0 end\n");
    zlsim({"run", "zlplan", "-"}, "zl zl0 end\n");
    const child_result log = zlsim({"log"});

    EXPECT_EQ(log.status, 0);
    EXPECT_EQ(log.out,
              "open /dev/zl0 flags=0x2 -> ok\n"
              "zl0 ZLIOGLINK -> ok\n"
              "close zl0\n");
}

TEST_F(Zlsim, InjectsFailuresIntoOneRun) {
    const child_result failing =
        zlsim({"run", "--fail", "ZLIOCLINK:1:EBUSY", "--", "zlconf", "-"}, "zl zl3 end\n");
    EXPECT_EQ(failing.status, 0);
    EXPECT_EQ(failing.err, "Zelnar create failed : Device or resource busy\n");
    const child_result show = zlsim({"show"});
    EXPECT_EQ(show.out, "");
    EXPECT_THAT(show.err, HasSubstr("no simulated links"));
    EXPECT_EQ(zlsim({"run", "zlconf", "-"}, "zl zl3 end\n").status, 0);
    EXPECT_THAT(zlsim({"show"}).out, HasSubstr("Zelnar zl3"));
}

TEST_F(Zlsim, UsesTheStateFileItIsGiven) {
    write_text(dir_.path() / "seed.state", kSeed);
    zlsim({"reset", "--state", "other.state", "seed.state"});
    EXPECT_THAT(zlsim({"show", "--state=other.state"}).out, HasSubstr("Zelnar zl2"));
    EXPECT_EQ(zlsim({"show"}).out, "");
    EXPECT_EQ(zlsim({"reset", "--state", "other.state"}).status, 0);
    EXPECT_EQ(zlsim({"show", "--state", "other.state"}).out, "");
}

TEST_F(Zlsim, PassesOnTheCommandsExitStatus) {
    EXPECT_EQ(zlsim({"run", "zlconf", "-"}, "zl zl0\n").status, 1);
    EXPECT_EQ(zlsim({"run", "zlconf", "no-such.conf"}).status, 2);
    EXPECT_EQ(zlsim({"run", "no-such-command"}).status, 127);
}

TEST_F(Zlsim, RefusesWhatItCannotUse) {
    write_text(dir_.path() / "zlsim.state", "link zl9\n");
    const child_result bad_state = zlsim({"run", "zlconf", "-"}, "zl zl0 end\n");
    EXPECT_EQ(bad_state.status, 125);
    EXPECT_THAT(bad_state.err, HasSubstr("zlsim.state"));
    EXPECT_EQ(zlsim({"show"}).status, 1);

    const child_result bad_rule = zlsim({"run", "--fail", "ZLIOXX:1:EIO", "zlconf"});
    EXPECT_EQ(bad_rule.status, 125);
    EXPECT_EQ(zlsim({"reset", "no-such.state"}).status, 1);
    EXPECT_EQ(zlsim({"frobnicate"}).status, 2);
    EXPECT_EQ(zlsim({"run"}).status, 2);
    EXPECT_EQ(zlsim({}).status, 2);
}

}  // namespace
