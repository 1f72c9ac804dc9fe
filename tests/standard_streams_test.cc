// The programs' standard streams as an administrator's scripts leave them:
// closed, on a full disk, or read by a process that may be killed at any time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"

namespace {

using testing::HasSubstr;
using testing::Not;

// Every file the run wrote in `dir`: not its input nor its captured streams.
std::string files_left(const std::filesystem::path& dir) {
    std::string all;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name != ".stdin" && name != ".stdout" && name != ".stderr" &&
            name != standin_run().config_name) {
            all += file_text(entry.path());
        }
    }
    return all;
}

struct stream_run {
    standin_result result;
    std::string files;  // everything files_left() finds afterwards
};

// Runs `program` on `config` against the stand-in, its streams changed.
stream_run run_with_streams(const char* program, const std::string& config,
                            const std::vector<stream_change>& streams) {
    const scratch_dir dir("streams");
    standin_run run;
    run.config = config;
    run.args = {run.config_name};
    stream_run r{run_under_standin(dir.path(), program, run, streams), ""};
    r.files = files_left(dir.path());
    return r;
}

// With standard output or standard error closed, what the program writes there
// must not land in a file it opens later: the stand-in's log and state here,
// the link's device on a real system.
TEST(StandardStreams, ClosedOnesTakeOverNoFileOpenedLater) {
    for (const char* program : {ZLCONF_BINARY, ZLPLAN_BINARY}) {
        for (const int fd : {1, 2}) {
            SCOPED_TRACE(std::string(program) + " with descriptor " + std::to_string(fd) +
                         " closed");
            const std::string left =
                run_with_streams(program, "@@@\nzl zl0 seg ce0 ; di end\nzz\n", {{fd, ""}}).files;
            EXPECT_THAT(left, HasSubstr("ZLIOGLINK")) << "the run reached the driver";
            EXPECT_THAT(left, Not(HasSubstr("@@@")));
            EXPECT_THAT(left, Not(HasSubstr("Zelnar")));
            EXPECT_THAT(left, Not(HasSubstr("line 3")));
        }
    }
    const scratch_dir dir("closed-stream");
    run_child(dir.path(), {ZLSIM_BINARY, "run", "--", "no-such-command"}, {"ZLSIM_STATE="}, {},
              {{1, ""}, {2, ""}});
    EXPECT_THAT(files_left(dir.path()), Not(HasSubstr("no-such-command")));
}

// Output that could not be written is never a success, and the error named is
// the write's own, even when a later request failed in between.
TEST(StandardStreams, WriteFailuresAreNeverSuccess) {
    const std::string full_disk = "No space left on device";
    const std::vector<stream_change> full_output{{1, "/dev/full"}};
    const stream_run echo =
        run_with_streams(ZLCONF_BINARY, std::string(20000, '@') + "\nzl zl0 end\n", full_output);
    EXPECT_EQ(echo.result.status, 1);
    EXPECT_EQ(echo.result.err, "zlconf: write error: " + full_disk + "\n");
    EXPECT_THAT(echo.result.state_after, HasSubstr("link zl0")) << "the run itself went on";

    const stream_run syntax = run_with_streams(ZLCONF_BINARY, "@ zz\n", full_output);
    EXPECT_EQ(syntax.result.status, 1) << "the syntax error's status stays";
    EXPECT_THAT(syntax.result.err, HasSubstr("zlconf: write error: " + full_disk));

    EXPECT_EQ(run_with_streams(ZLCONF_BINARY, "zl zl0 di end\n", {{2, "/dev/full"}}).result.status,
              1)
        << "a state report that could not be written";

    const stream_run plan = run_with_streams(ZLPLAN_BINARY, "zl zl0 end\n", full_output);
    EXPECT_EQ(plan.result.status, 1);
    EXPECT_THAT(plan.result.err, HasSubstr("zlplan: write error: " + full_disk));

    const scratch_dir dir("write-error");
    write_text(dir.path() / "zlsim.state", "link zl2\n");
    write_text(dir.path() / "zlsim.state.log", "open /dev/zl2 flags=0x2 -> ok\n");
    for (const char* verb : {"show", "log"}) {
        const child_result r =
            run_child(dir.path(), {ZLSIM_BINARY, verb}, {"ZLSIM_STATE="}, {}, full_output);
        EXPECT_EQ(r.status, 1) << verb;
        EXPECT_EQ(r.err, "zlsim: write error: " + full_disk + "\n") << verb;
    }
    // A saved configuration cut short must not pass for a whole one.
    const child_result save = run_child(dir.path(), {ZLSIM_BINARY, "run", "--", "zlsave"},
                                        {"ZLSIM_STATE="}, {}, full_output);
    EXPECT_EQ(save.status, 1);
    EXPECT_THAT(save.err, HasSubstr("zlsave: write error: " + full_disk + "\n"));
}

// For the companions whose output is the result, a closed standard output is
// a failure; zlconf's echo only goes nowhere.
TEST(StandardStreams, AClosedOutputFailsWhereTheOutputIsTheResult) {
    const std::string closed = "write error: Bad file descriptor\n";
    const std::vector<stream_change> no_output{{1, ""}};
    const stream_run plan = run_with_streams(ZLPLAN_BINARY, "zl zl0 end\n", no_output);
    EXPECT_EQ(plan.result.status, 1);
    EXPECT_THAT(plan.result.err, HasSubstr("zlplan: " + closed));
    EXPECT_EQ(run_with_streams(ZLCONF_BINARY, "@@ zl zl0 end\n", no_output).result.status, 0);

    const scratch_dir dir("closed-output");
    standin_run save;
    save.state = "link zl2\n  mode 0x1010\n";
    const standin_result saved = run_under_standin(dir.path(), ZLSAVE_BINARY, save, no_output);
    EXPECT_EQ(saved.status, 1);
    EXPECT_EQ(saved.err, "zlsave: " + closed);
    write_text(dir.path() / "zlsim.state", "link zl2\n");
    write_text(dir.path() / "zlsim.state.log", "open /dev/zl2 flags=0x2 -> ok\n");
    for (const char* verb : {"show", "log"}) {
        const child_result r =
            run_child(dir.path(), {ZLSIM_BINARY, verb}, {"ZLSIM_STATE="}, {}, no_output);
        EXPECT_EQ(r.status, 1) << verb;
        EXPECT_EQ(r.err, "zlsim: " + closed) << verb;
    }
    // zlsim keeps /dev/null where its own output was closed; the command
    // finds it closed, as it would without zlsim.
    const child_result rehearsed = run_child(dir.path(), {ZLSIM_BINARY, "run", "--", "zlsave"},
                                             {"ZLSIM_STATE="}, {}, no_output);
    EXPECT_EQ(rehearsed.status, 1);
    EXPECT_THAT(rehearsed.err, HasSubstr("zlsave: " + closed));
}

// A diagnostic is out before the tool waits for more input: a zlconf killed
// while reading a pipe has lost nothing it reported.
TEST(StandardStreams, DiagnosticsAreOutBeforeTheNextWait) {
    const scratch_dir dir("diagnostics");
    int input[2];
    int errors[2];
    ASSERT_EQ(pipe(input), 0);
    ASSERT_EQ(pipe(errors), 0);
    const pid_t child = fork();
    if (child == 0) {
        dup2(input[0], 0);
        dup2(errors[1], 2);
        close(input[1]);
        close(errors[0]);
        if (chdir(dir.path().c_str()) != 0) _exit(126);
        setenv("LD_PRELOAD", STANDIN_PRELOAD, 1);
        setenv("ZLSTANDIN_FAIL", "ZLIOCLINK:1:EBUSY", 1);
        setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);
        execl(ZLCONF_BINARY, "zlconf", "-", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(input[0]);
    close(errors[1]);
    const std::string block = "zl zl0 end\n";
    ASSERT_EQ(write(input[1], block.data(), block.size()), static_cast<ssize_t>(block.size()));

    std::string seen;
    const std::string expected = "Zelnar create failed : Device or resource busy\n";
    pollfd waiting{errors[0], POLLIN, 0};
    while (seen.size() < expected.size() && poll(&waiting, 1, 20000) == 1) {
        char buffer[256];
        const ssize_t got = read(errors[0], buffer, sizeof buffer);
        if (got <= 0) break;
        seen.append(buffer, static_cast<std::size_t>(got));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(input[1]);
    close(errors[0]);
    EXPECT_EQ(seen, expected);
}

}  // namespace
