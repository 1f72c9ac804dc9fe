// zlapply as a built program against zlsim: a refusal injected at every
// request of an apply, a check that fails, confirm or revert by timeout,
// signal, terminal and a second zlapply, kills at random points followed by
// --rollback, and two zlapply at once. After every rollback `zlsim show`
// prints what it printed before, byte for byte.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"

namespace {

using testing::HasSubstr;

// Links whose states statements can make again: one the file changes, one it
// deletes, one it adds a table-lookup entry to, which only a rebuild takes
// back; the file also makes a new link.
constexpr const char* kSeed =
    "link zl0\n"
    "  mode 0x00011100\n"
    "  segment ce0 state 0x00050110\n"
    "  segment ce1 state 0x00000110\n"
    "  segment ce3 state 0x00000120\n"
    "  tl 02:00:00:00:00:01 ce0\n"
    "link zl2\n"
    "  mode 0x00011020\n"
    "  segment kce0 state 0x00000110\n"
    "  tl 02:00:00:00:00:02 kce0\n"
    "link zlumi0\n"
    "  mode 0x00001010\n"
    "  segment zwre12 state 0x00000110\n";

constexpr const char* kSite =
    "zl zl0 rr\n"
    "  seg ce1 standby ;\n"
    "  seg ce3 del ;\n"
    "  seg ce2 speed 10bt ;\n"
    "  tl 02:00:00:00:00:01 ce1\n"
    "end\n"
    "zl zl1 fo seg kce0 ; seg kce1 standby ; tl 02:00:00:00:00:05 kce1 end\n"
    "zl zl2 delete end\n"
    "zl zlumi0 seg zwre12 diffaddr ; tl 02:00:00:00:00:07 zwre12 end\n";

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// "zl0 ZLIOASEG name=ce unit=2 flags=... -> ok" → "ZLIOASEG"; empty for an
// open, a close or a read.
std::string changing_request(const std::string& line) {
    const std::size_t space = line.find(' ');
    if (line.starts_with("open ") || line.starts_with("close ") || space == std::string::npos) {
        return {};
    }
    const std::string code = line.substr(space + 1, line.find(' ', space + 1) - space - 1);
    return code == "ZLIOGLINK" || code == "ZLIOGSEG" || code == "ZLIOGTL" ? std::string() : code;
}

class ZlapplySim : public testing::Test {
protected:
    void SetUp() override {
        write_text(dir_.path() / "seed.state", kSeed);
        write_text(dir_.path() / "site.conf", kSite);
        ASSERT_EQ(zlsim({"reset", "seed.state"}).status, 0);
        before_ = zlsim({"show"}).out;
    }

    std::vector<std::string> env() const {
        return {"ZLSIM_STATE=" + (dir_.path() / "driver.state").string(),
                "LD_PRELOAD=", "ZLSTANDIN_FAIL=", std::string("ZLAPPLY=") + ZLAPPLY_BINARY,
                std::string("ZLSIM=") + ZLSIM_BINARY};
    }
    child_result zlsim(std::vector<std::string> args, const std::string& input = {}) {
        args.insert(args.begin(), ZLSIM_BINARY);
        return run_child(dir_.path(), args, env(), input);
    }
    child_result zlapply(std::vector<std::string> args, const std::string& failures = {}) {
        args.insert(args.begin(), {"zlapply", "--restore-point", restore_point()});
        if (!failures.empty()) args.insert(args.begin(), {"--fail", failures});
        args.insert(args.begin(), "run");
        return zlsim(args);
    }
    // A shell script in a session of its own: no controlling terminal.
    child_result script(const std::string& text) {
        return run_child(dir_.path(), {"setsid", "-w", "sh", "-c", text}, env());
    }
    std::string restore_point() const { return (dir_.path() / "run" / "restore.conf").string(); }
    std::string shown() { return zlsim({"show"}).out; }

    scratch_dir dir_{"zlapply-sim"};
    std::string before_;
};

// The shell's lines that start an apply that waits for confirmation and
// wait until it does.
constexpr const char* kWaitingApply =
    "\"$ZLSIM\" run -- zlapply --confirm 30 --restore-point run/restore.conf site.conf "
    "2>apply.err & pid=$!\n"
    "while ! grep -qs waiting run/restore.conf.lock; do sleep 0.02; done\n";

TEST_F(ZlapplySim, ARefusalAtAnyRequestRollsBackToTheDriverAsItWas) {
    const child_result clean = zlapply({"site.conf"});
    ASSERT_EQ(clean.status, 0) << clean.err;
    std::vector<std::string> requests;
    for (const std::string& line : lines_of(zlsim({"log"}).out)) {
        if (const std::string code = changing_request(line); !code.empty())
            requests.push_back(code);
    }
    ASSERT_GE(requests.size(), 20U);
    EXPECT_THAT(requests, testing::Contains("ZLIOCLINK"));

    std::map<std::string, int> seen;
    std::printf("position  request     status  show as before\n");
    for (std::size_t k = 0; k < requests.size(); ++k) {
        ASSERT_EQ(zlsim({"reset", "seed.state"}).status, 0);
        const std::string rule = requests[k] + ":" + std::to_string(++seen[requests[k]]) + ":EIO";
        const child_result r = zlapply({"site.conf"}, rule);
        const std::string after = shown();
        std::printf("%8zu  %-10s  %6d  %s\n", k + 1, requests[k].c_str(), r.status,
                    after == before_ ? "yes" : "NO");
        EXPECT_EQ(r.status, 4) << rule << "\n" << r.err;
        EXPECT_EQ(after, before_) << rule << "\n" << r.err;
        EXPECT_THAT(r.err, HasSubstr(requests[k] + " ")) << rule;
        EXPECT_FALSE(std::filesystem::exists(restore_point())) << rule;
    }
}

// Nothing changing is sent when the check fails, or when the restore point
// could not bring a link back exactly and --strict is given.
TEST_F(ZlapplySim, SendsNothingThatChangesTheDriverWhenTheCheckFails) {
    struct failing {
        const char* name;
        std::string config;
        std::string seed;
        std::vector<std::string> args;
        const char* told;
    };
    const failing cases[] = {
        {"syntax error in the last block",
         std::string(kSite) + "zl zl3 seg ce0 ; standby end\n",
         kSeed,
         {},
         "case.conf:10:18: unexpected 'standby' in a link block"},
        {"a bit of the driver's own, with --strict",
         kSite,
         std::string(kSeed) + "link zlumi4\n  mode 0x40001010\n",
         {"--strict"},
         "zlumi4: mode bits no statement sets: 0x40000000"},
    };
    for (const failing& c : cases) {
        write_text(dir_.path() / "case.conf", c.config);
        write_text(dir_.path() / "case.state", c.seed);
        ASSERT_EQ(zlsim({"reset", "case.state"}).status, 0);
        const std::string seeded = shown();
        std::vector<std::string> args = c.args;
        args.emplace_back("case.conf");
        const child_result r = zlapply(args);
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_THAT(r.err, HasSubstr(c.told)) << c.name;
        for (const std::string& line : lines_of(zlsim({"log"}).out)) {
            EXPECT_EQ(changing_request(line), "") << c.name << ": " << line;
        }
        EXPECT_EQ(shown(), seeded) << c.name;
    }
    // Without --strict the same driver is warned about and applied.
    const child_result warned = zlapply({"case.conf"});
    EXPECT_EQ(warned.status, 0) << warned.err;
    EXPECT_THAT(warned.err, HasSubstr("cannot bring back every link exactly"));
}

TEST_F(ZlapplySim, RevertsWhatIsNotConfirmed) {
    const child_result timeout =
        script("\"$ZLSIM\" run -- zlapply --confirm 1 --restore-point run/restore.conf site.conf");
    EXPECT_EQ(timeout.status, 4) << timeout.err;
    EXPECT_THAT(timeout.err, HasSubstr("not kept (not confirmed within 1 s)"));
    EXPECT_EQ(shown(), before_);

    for (const char* signal : {"HUP", "TERM", "INT"}) {
        const child_result r = script(std::string(kWaitingApply) + "kill -" + signal +
                                      " $pid\nwait $pid\necho $? >&2\n");
        EXPECT_EQ(r.err, "4\n") << signal << file_text(dir_.path() / "apply.err");
        EXPECT_THAT(file_text(dir_.path() / "apply.err"),
                    HasSubstr(std::string("not kept (SIG") + signal + ")"));
        EXPECT_EQ(shown(), before_) << signal;
        EXPECT_FALSE(std::filesystem::exists(restore_point())) << signal;
    }
}

TEST_F(ZlapplySim, ASecondZlapplyConfirms) {
    const child_result r = script(std::string(kWaitingApply) +
                                  "\"$ZLAPPLY\" --confirm --restore-point run/restore.conf\n"
                                  "echo confirm $?\nwait $pid\necho apply $?\n");
    EXPECT_EQ(r.out, "confirm 0\napply 0\n") << r.err << file_text(dir_.path() / "apply.err");
    EXPECT_THAT(r.err, HasSubstr("keeps its configuration"));
    EXPECT_THAT(shown(), HasSubstr("Zelnar zl1 "));
    EXPECT_FALSE(std::filesystem::exists(restore_point()));
    const child_result none = run_child(
        dir_.path(), {ZLAPPLY_BINARY, "--confirm", "--restore-point", restore_point()}, env());
    EXPECT_EQ(none.status, 1);
    EXPECT_THAT(none.err, HasSubstr("no apply is waiting for confirmation"));
}

// On the controlling terminal, y keeps; any other answer reverts.
TEST_F(ZlapplySim, AsksOnTheTerminal) {
    for (const char* answer : {"y\n", "n\n", "\n"}) {
        ASSERT_EQ(zlsim({"reset", "seed.state"}).status, 0);
        int terminal = -1;
        const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
        if (child == 0) {
            if (chdir(dir_.path().c_str()) != 0) _exit(126);
            for (const std::string& e : env()) {
                const std::size_t equals = e.find('=');
                setenv(e.substr(0, equals).c_str(), e.substr(equals + 1).c_str(), 1);
            }
            unsetenv("LD_PRELOAD");
            unsetenv("ZLSTANDIN_FAIL");
            const std::string rp = restore_point();
            execl(ZLSIM_BINARY, ZLSIM_BINARY, "run", "--", "zlapply", "--confirm", "20",
                  "--restore-point", rp.c_str(), "site.conf", nullptr);
            _exit(127);
        }
        std::string seen;
        bool answered = false;
        for (;;) {
            pollfd p{terminal, POLLIN, 0};
            if (poll(&p, 1, 20000) <= 0) break;
            char bytes[512];
            const ssize_t n = read(terminal, bytes, sizeof bytes);
            if (n <= 0) break;
            seen.append(bytes, static_cast<std::size_t>(n));
            if (!answered && seen.find("(reverting in 20 s) ") != std::string::npos) {
                answered = write(terminal, answer, std::strlen(answer)) > 0;
            }
        }
        int status = 0;
        waitpid(child, &status, 0);
        close(terminal);
        EXPECT_THAT(seen, HasSubstr("keep this configuration? [y/N] (reverting in 20 s) "));
        const bool keep = answer[0] == 'y';
        EXPECT_EQ(WEXITSTATUS(status), keep ? 0 : 4) << seen;
        EXPECT_EQ(shown() == before_, !keep) << seen;
    }
}

// Killed anywhere before it is kept, an apply leaves the driver as it was,
// or a restore point that --rollback brings it back with.
TEST_F(ZlapplySim, RollbackAfterAKillAtAnyPointGivesBackTheDriver) {
    const auto start = std::chrono::steady_clock::now();
    script(std::string(kWaitingApply) + "kill -KILL $pid\n");
    const double reach =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(zlapply({"--rollback"}).status, 4);
    ASSERT_EQ(shown(), before_);

    const unsigned seed = std::random_device()();
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> delay(0, reach * 1.2);
    int left = 0;
    constexpr int kRounds = 20;
    for (int round = 0; round < kRounds; ++round) {
        ASSERT_EQ(zlsim({"reset", "seed.state"}).status, 0);
        char sleep[64];
        std::snprintf(sleep, sizeof sleep, "sleep %.3f\n", delay(random));
        script(
            "\"$ZLSIM\" run -- zlapply --confirm 30 --restore-point run/restore.conf "
            "site.conf 2>/dev/null & pid=$!\n" +
            std::string(sleep) + "kill -KILL $pid\nwait $pid\n");
        const bool point_left = std::filesystem::exists(restore_point());
        left += point_left ? 1 : 0;
        const child_result back = zlapply({"--rollback"});
        EXPECT_EQ(back.status, point_left ? 4 : 1) << "seed " << seed << ", " << sleep << back.err;
        EXPECT_EQ(shown(), before_) << "seed " << seed << ", " << sleep << back.err;
    }
    std::printf("killed %d times within %.2f s of the start (seed %u): %d left a restore point\n",
                kRounds, reach * 1.2, seed, left);
}

TEST_F(ZlapplySim, OfTwoAtOnceOneExitsAndSendsNothing) {
    // Both within one zlsim run, which the driver's state is locked for.
    const child_result second = script(
        "\"$ZLSIM\" run -- sh -c '"
        "zlapply --confirm 30 --restore-point run/restore.conf site.conf 2>apply.err & pid=$!\n"
        "while ! grep -qs waiting run/restore.conf.lock; do sleep 0.02; done\n"
        "ZLSTANDIN_LOG=$PWD/second.log zlapply --restore-point run/restore.conf site.conf\n"
        "echo second $? holder $pid\nkill -TERM $pid\nwait $pid'\n");
    std::istringstream words(second.out);
    std::string label;
    int status = 0;
    long holder = 0;
    words >> label >> status >> label >> holder;
    EXPECT_EQ(status, 1) << second.out << second.err;
    EXPECT_THAT(second.err, HasSubstr("another zlapply (process " + std::to_string(holder) + ")"));
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "second.log")) << "it opened a link";

    // Started together, whichever comes second finds the lock held.
    for (int round = 0; round < 3; ++round) {
        const child_result together = script(
            "\"$ZLSIM\" run -- sh -c 'for n in 1 2; do ( ZLSTANDIN_LOG=$PWD/$n.log zlapply "
            "--confirm 1 --restore-point run/restore.conf site.conf 2>$n.err; echo $? >$n.status )"
            " & done; wait'\n");
        EXPECT_EQ(together.status, 0);
        std::vector<std::string> statuses;
        for (const char* n : {"1", "2"}) {
            const std::string s = file_text(dir_.path() / (std::string(n) + ".status"));
            statuses.push_back(s);
            if (s == "1\n") {
                EXPECT_FALSE(std::filesystem::exists(dir_.path() / (std::string(n) + ".log")));
                EXPECT_THAT(file_text(dir_.path() / (std::string(n) + ".err")),
                            HasSubstr("another zlapply"));
            }
            std::filesystem::remove(dir_.path() / (std::string(n) + ".log"));
        }
        EXPECT_THAT(statuses, testing::UnorderedElementsAre("1\n", "4\n")) << "round " << round;
        EXPECT_EQ(shown(), before_);
    }
}

}  // namespace
