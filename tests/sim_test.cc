// zlsim as a built program, over several runs: the simulated driver persists
// between them, the log keeps the last, failures are injected into one; and
// zlsave run under it, whose file restores what zlconf made. What one command
// prints is in the transcripts of tests/sims and tests/saves.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <sys/stat.h>

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
    EXPECT_EQ(
        zlsim({"show"}).out,
        "Zelnar zl2   mode 0x00000011 (ROUNDROBIN|EXISTS)\n"
        "  Segment ce0 speed 10 duplex 1 state 0x000a0111 (10BT|HALFDUX|SAMEADDR|TRUNK|EXISTS)\n"
        "  Segment ce1 speed 100 duplex 2 state 0x00000111 (SAMEADDR|TRUNK|EXISTS)\n"
        "Table Lookup addresses\n"
        "  02:00:00:0a:0b:0c\tLink ce0\n");
    EXPECT_TRUE(std::filesystem::exists(dir_.path() / "zlsim.state"));
}

TEST_F(Zlsim, LogsEveryRunAndShowsTheLast) {
    zlsim({"run", "zlconf", "-"}, "zl zl0 end\n");
    zlsim({"run", "zlplan", "-"}, "zl zl0 end\n");
    const std::string last =
        "open /dev/zl0 flags=0x2 -> ok\n"
        "zl0 ZLIOGLINK -> ok\n"
        "close zl0\n";
    const child_result log = zlsim({"log"});
    EXPECT_EQ(log.status, 0);
    EXPECT_EQ(log.out, last);

    // A command that never ran leaves the log as it was.
    EXPECT_EQ(zlsim({"run", "no-such-command"}).status, 127);
    EXPECT_EQ(zlsim({"log"}).out, last);
    const std::string all = zlsim({"log", "--all"}).out;
    EXPECT_THAT(all, testing::MatchesRegex("# run zlconf - \\(....-..-.. ..:..:.. UTC\\)\n"
                                           "open /dev/zl0 .*ZLIOCLINK.*"
                                           "# run zlplan - \\(.*\\)\n" +
                                           std::string("open /dev/zl0 flags=0x2 -> ok\n.*")));
    EXPECT_THAT(all, testing::Not(HasSubstr("no-such-command")));
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

// Builds links with zlconf on an empty driver, saves them, and applies the
// saved file to an empty driver and to the changed one: both give back what
// zlconf made.
TEST_F(Zlsim, SavedLinksRestoreWhatZlconfMade) {
    std::string made_by_zlconf = "zl zl2 delete end\n";  // nothing else is known of it
    for (const char* example :
         {"new-link", "site", "standby-member", "table-lookup", "change-mode"}) {
        made_by_zlconf += file_text(std::string(EXAMPLES_DIR "/") + example + ".conf");
    }
    made_by_zlconf +=
        "zl zl3 so seg ce0 standby diffaddr speed 10bt duplex half ; seg zwre12 speed auto ;\n"
        "  tl 02:00:00:00:00:01 ce0 tl 02:00:00:00:00:02 zwre12 end\n";
    write_text(dir_.path() / "made.conf", made_by_zlconf);
    ASSERT_EQ(zlsim({"run", "zlconf", "made.conf"}).status, 0);
    const std::string made = zlsim({"show"}).out;
    ASSERT_THAT(made, HasSubstr("Zelnar zl3 "));

    const child_result save = zlsim({"run", "zlsave"});
    ASSERT_EQ(save.status, 0);
    EXPECT_EQ(save.err, "") << "zlconf made nothing a statement cannot make";
    write_text(dir_.path() / "saved.conf", save.out);

    zlsim({"reset"});
    EXPECT_EQ(zlsim({"run", "zlconf", "saved.conf"}).status, 0);
    EXPECT_EQ(zlsim({"show"}).out, made);

    zlsim({"run", "zlconf", "-"}, "zl zl3 rr seg ce0 del ; end zl zl7 seg ce1 ; end\n");
    EXPECT_EQ(zlsim({"run", "zlconf", "saved.conf"}).status, 0);
    EXPECT_EQ(zlsim({"show"}).out, made);
}

// The loader only warns about a preload it cannot load, and would run the
// command against the real driver.
TEST_F(Zlsim, RunsNothingWithoutTheSimulatedDriver) {
    for (const char* library : {"/nonexistent.so", "libm.so.6"}) {
        const child_result r = run_child(dir_.path(), {ZLSIM_BINARY, "run", "--", "touch", "ran"},
                                         {"ZLSIM_STATE=", std::string("ZLSIM_PRELOAD=") + library});
        EXPECT_EQ(r.status, 125) << library;
        EXPECT_THAT(r.err, HasSubstr("the command is not run")) << library;
        EXPECT_FALSE(std::filesystem::exists(dir_.path() / "ran")) << library;
    }
}

// Every process a run starts takes the lock for each update of its own and
// reads the state afresh under it: ten zlconfs in the background of one run,
// and three nested runs started together, each keep their link.
TEST_F(Zlsim, ConcurrentRunsAndTheirProcessesLoseNoUpdate) {
    constexpr int kRounds = 20;
    const std::string script =
        "\"$0\" run -- sh -c 'for n in 0 1 2 3 4 5 6 7 8; do echo \"zl zl$n end\" | zlconf - &"
        " done; echo \"zl zlumi8 end\" | zlconf - & wait' || echo 'background run failed' >&2;"
        " for n in 0 1 2; do { echo \"zl zlumi$n end\" | \"$0\" run -- \"$0\" run -- zlconf - ||"
        " echo \"nested run $n failed\" >&2; } & done; wait";
    for (int round = 0; round < kRounds; ++round) {
        ASSERT_EQ(zlsim({"reset"}).status, 0);
        const child_result together = run_child(dir_.path(), {"sh", "-c", script, ZLSIM_BINARY},
                                                {"ZLSIM_STATE=", "LD_PRELOAD=", "ZLSTANDIN_FAIL="});
        EXPECT_EQ(together.err, "") << "round " << round;
        const std::string shown = zlsim({"show"}).out;
        EXPECT_EQ(std::ranges::count(shown, '\n'), 13) << "round " << round << ":\n" << shown;
        const std::string all = zlsim({"log", "--all"}).out;
        EXPECT_EQ(std::ranges::count(all, '#'), 7) << "one header per run";
    }
}

// No command waits for ever: a wait that goes on names the process that
// holds the lock, here a zlconf that keeps its link open for more input.
TEST_F(Zlsim, ALongWaitForTheLockNamesItsHolder) {
    const child_result r = run_child(
        dir_.path(),
        {"sh", "-c",
         "\"$0\" run -- sh -c '(echo zl zl0; sleep 4) | zlconf -' &"
         " until grep -q 'open /dev/zl0' zlsim.state.log 2>/dev/null; do sleep 0.05; done;"
         " ZLSIM_LOCK_TIMEOUT=3 \"$0\" show; echo \"show: $?\"; wait",
         ZLSIM_BINARY},
        {"ZLSIM_STATE=", "LD_PRELOAD="});
    EXPECT_THAT(r.out, HasSubstr("show: 1"));
    EXPECT_THAT(r.err, testing::ContainsRegex("zlsim: waiting for zlsim.state.lock, held by pid "
                                              "[0-9]+ \\(zlconf\\)\n"));
    EXPECT_THAT(r.err, testing::ContainsRegex("zlsim.state.lock: still locked by pid [0-9]+ "
                                              "\\(zlconf\\) after 3 s; not waiting longer"));
}

// The state is replaced whole, and a write that fails leaves neither a torn
// state nor a temporary file.
TEST_F(Zlsim, ReplacesTheStateWholeOrNotAtAll) {
    std::filesystem::create_directory(dir_.path() / "real");
    ASSERT_EQ(zlsim({"run", "--state", "real/driver.state", "zlconf", "-"}, "zl zl1 end\n").status,
              0);
    EXPECT_THAT(file_text(dir_.path() / "real" / "driver.state"), HasSubstr("link zl1"));

    std::string seed = "link zl2\n";
    for (int n = 0; n < 99; ++n) seed += "  segment ce" + std::to_string(n) + "\n";
    write_text(dir_.path() / "seed.state", seed);
    // A file size limit makes the write fail part way, as a full disk would.
    const child_result failed =
        run_child(dir_.path(),
                  {"sh", "-c",
                   std::string("ulimit -f 1; trap '' XFSZ; exec ") + ZLSIM_BINARY +
                       " reset --state real/driver.state seed.state"},
                  {"ZLSIM_STATE="});
    EXPECT_EQ(failed.status, 1);
    EXPECT_THAT(failed.err, HasSubstr("File too large"));
    EXPECT_THAT(file_text(dir_.path() / "real" / "driver.state"), HasSubstr("link zl1"));
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path() / "real")) {
        EXPECT_FALSE(entry.path().filename().string().starts_with("."))
            << "a temporary file is left: " << entry.path();
    }
}

TEST_F(Zlsim, NeverReplacesWhatIsNotARegularFile) {
    // A pipe stands in for /dev/null, which a failing test must not replace.
    const std::filesystem::path pipe = dir_.path() / "pipe.state";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const child_result reset = zlsim({"reset", "--state", pipe.string()});
    EXPECT_EQ(reset.status, 1);
    EXPECT_THAT(reset.err, HasSubstr("not a regular file"));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
}

}  // namespace
