// zlapply in this process, against the driver model: what it sends, what it
// says, the audit line of each outcome, and the driver afterwards. The built
// program against zlsim, signals and terminals included, is in
// apply_sim_test.cc.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/file.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "apply/apply_run.h"
#include "apply/input_bytes.h"
#include "apply/undo_statements.h"
#include "captured_stream.h"
#include "child_process.h"
#include "model/link_state.h"
#include "model/model_device.h"
#include "model/state_file.h"
#include "sim/sim_run.h"

namespace {

using testing::HasSubstr;

class recorded_audit final : public apply::audit_log {
public:
    void line(apply::audit_level, const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};

class told_confirmation final : public apply::confirmation {
public:
    apply::decision wait(int seconds) override {
        waited = seconds;
        return answer;
    }
    apply::decision answer;
    int waited = 0;
};

// A link that zlsave saves without a warning, a second one, and a third that
// carries a bit of the driver's own.
constexpr const char* kDriver =
    "link zl0\n"
    "  mode 0x00011100\n"
    "  segment ce0 state 0x00050110\n"
    "  segment ce1 state 0x00000110\n"
    "  segment ce3 state 0x00000120\n"
    "  tl 02:00:00:00:00:01 ce0\n"
    "link zl2\n"
    "  mode 0x00001020\n"
    "  segment kce0 state 0x00000110\n";
constexpr const char* kDriverBit = "link zlumi4\n  mode 0x40001010\n";

constexpr const char* kThreeBlocks =
    "zl zl0 rr seg ce1 standby ; seg ce3 del ; seg ce2 speed 10bt ; tl 02:00:00:00:00:01 ce1 end\n"
    "zl zl1 fo seg kce0 ; seg kce1 standby ; end\n"
    "zl zl2 delete end\n";

bool changes_driver(const std::string& line) {
    constexpr const char* kReads[] = {"open ", "close ", "ZLIOGLINK", "ZLIOGSEG", "ZLIOGTL"};
    return std::ranges::none_of(
        kReads, [&](const char* read) { return line.find(read) != std::string::npos; });
}

// A driver that answers the first request of one kind with success and does
// nothing.
class swallowing_device final : public device {
public:
    swallowing_device(device& real, unsigned long swallowed) : real_(real), swallowed_(swallowed) {}
    int open(const char* path, int flags) override { return real_.open(path, flags); }
    int ioctl(int fd, unsigned long request, void* arg) override {
        if (request != swallowed_) return real_.ioctl(fd, request, arg);
        swallowed_ = 0;
        return 0;
    }
    int close(int fd) override { return real_.close(fd); }

private:
    device& real_;
    unsigned long swallowed_;
};

class Zlapply : public testing::Test {
protected:
    struct outcome {
        int status;
        std::string messages;
        std::vector<std::string> changing;  // the requests that change the driver
        std::string shown;                  // the driver afterwards
    };

    outcome apply(const std::string& config, const std::string& failures = {},
                  std::optional<int> confirm = std::nullopt, bool strict = false) {
        apply::apply_request request{"site.conf", config, confirm, strict, restore_point()};
        return run(failures,
                   [&](apply::apply_system& sys) { return apply::apply_input(request, sys); });
    }

    outcome roll_back() {
        return run({}, [&](apply::apply_system& sys) {
            return apply::roll_back_restore_point(restore_point(), sys);
        });
    }

    template <typename Run>
    outcome run(const std::string& failures, Run body) {
        model::model_device device(state_, model::failure_plan::parse(failures));
        captured_stream messages;
        swallowing_device driver(device, swallowed_);
        apply::apply_system sys{driver, audit_, confirm_,
                                [this] { return ++asked_ > signal_after_ ? signal_ : nullptr; },
                                messages.file()};
        outcome o{body(sys), messages.text(), {}, {}};
        for (const std::string& line : device.log_lines()) {
            if (changes_driver(line)) o.changing.push_back(line);
        }
        state_ = device.state();
        o.shown = sim::dumpinfo_of_state(state_);
        return o;
    }

    std::string restore_point() const { return (dir_.path() / "run" / "restore.conf").string(); }
    bool restore_point_left() const { return std::filesystem::exists(restore_point()); }

    scratch_dir dir_{"zlapply"};
    model::driver_state state_ = model::parse_state(kDriver);
    recorded_audit audit_;
    told_confirmation confirm_;
    const char* signal_ = nullptr;
    unsigned long swallowed_ = 0;
    int signal_after_ = 0;  // changing requests sent before the signal arrives
    int asked_ = 0;
};

TEST_F(Zlapply, AppliesTheWholeFileAndRemovesTheRestorePoint) {
    const outcome o = apply(kThreeBlocks);
    EXPECT_EQ(o.status, 0) << o.messages;
    EXPECT_THAT(o.shown, HasSubstr("Zelnar zl1 "));
    EXPECT_THAT(o.shown, testing::Not(HasSubstr("Zelnar zl2 ")));
    EXPECT_FALSE(restore_point_left());
    EXPECT_EQ(audit_.lines, std::vector<std::string>{"applied site.conf; changed: zl0 zl1 zl2"});
    EXPECT_EQ(
        std::filesystem::status(dir_.path() / "run").permissions() & std::filesystem::perms::all,
        std::filesystem::perms::owner_all);
}

// Each check failure is told as zlplan tells it, and nothing is sent.
TEST_F(Zlapply, SendsNothingWhenTheCheckFails) {
    struct failing {
        const char* name;
        std::string config;
        std::string failures;
        bool strict;
        const char* told;
    };
    const failing cases[] = {
        {"syntax error in the last block", std::string(kThreeBlocks) + "zl zl3 standby end\n", "",
         false, "site.conf:4:8: unexpected 'standby' in a link block"},
        {"over-long comment", std::string(kThreeBlocks) + "zl zl3 ^#" + std::string(3000, 'x'), "",
         false, "longer than 2048 characters"},
        {"unopenable link", kThreeBlocks, "open:zl2:EACCES", false,
         "link zl2: open /dev/zl2 failed: Permission denied"},
        {"unreadable segment", kThreeBlocks, "ZLIOGSEG:2:EIO", false,
         "ZLIOGSEG failed reading segment 2: Input/output error"},
        {"warning under --strict", "zl zl0 segmnet ce1 ; end\n", "", true,
         "warning: `segmnet` is read as `seg`"},
    };
    for (const failing& c : cases) {
        const std::string before = sim::dumpinfo_of_state(state_);
        const outcome o = apply(c.config, c.failures, std::nullopt, c.strict);
        EXPECT_EQ(o.status, 1) << c.name;
        EXPECT_THAT(o.messages, HasSubstr(c.told)) << c.name;
        EXPECT_THAT(o.messages, HasSubstr("did not pass the check; nothing sent")) << c.name;
        EXPECT_EQ(o.changing, std::vector<std::string>{}) << c.name;
        EXPECT_EQ(o.shown, before) << c.name;
        EXPECT_FALSE(restore_point_left()) << c.name;
    }
    EXPECT_EQ(audit_.lines, std::vector<std::string>{});
}

TEST_F(Zlapply, RollsBackTheTouchedLinksWithTheFewestStatements) {
    const std::string before = sim::dumpinfo_of_state(state_);
    // The creation of zl1 is refused: zl0 is set back, zl2 never reached.
    const outcome o = apply(kThreeBlocks, "ZLIOCLINK:1:EBUSY");
    EXPECT_EQ(o.status, 4) << o.messages;
    EXPECT_EQ(o.shown, before);
    EXPECT_EQ(o.messages,
              "zlapply: zl1: ZLIOCLINK refused: Device or resource busy\n"
              "zlapply: rolling back zl0 zl1\n"
              "zlapply: zl0: set back\n"
              "zlapply: zl1: as it was\n"
              "zlapply: rolled back: the driver is as it was\n");
    // Nothing after the refusal is sent; then zl0's one undoing block.
    const auto refused = std::find_if(o.changing.begin(), o.changing.end(), [](const auto& l) {
        return l.find("EBUSY") != std::string::npos;
    });
    ASSERT_NE(refused, o.changing.end());
    EXPECT_THAT(
        std::vector<std::string>(refused + 1, o.changing.end()),
        testing::ElementsAre(HasSubstr("zl0 ZLIOSSEG name=ce unit=0"),
                             HasSubstr("zl0 ZLIOSSEG name=ce unit=1 flags=0x00000111"),
                             HasSubstr("zl0 ZLIODSEG name=ce unit=2"),
                             HasSubstr("zl0 ZLIOSSEG name=ce unit=2 flags=0x00000000"),
                             HasSubstr("zl0 ZLIOASEG name=ce unit=3"),
                             HasSubstr("zl0 ZLIOSSEG name=ce unit=3"),
                             HasSubstr("zl0 ZLIOSMODE flags=0x00011101"),
                             HasSubstr("zl0 ZLIOATL name=ce unit=0"), HasSubstr("zl0 ZLIOELINK")));
    EXPECT_FALSE(restore_point_left());
    EXPECT_EQ(audit_.lines,
              std::vector<std::string>{"rolled back site.conf (zl1: ZLIOCLINK refused: Device or "
                                       "resource busy); restored: zl0 zl1"});
}

// What the apply did, and the statements that undo it.
TEST(UndoStatements, SetBackWhatStatementsCanAndRebuildOnlyWhatTheyCannot) {
    const auto link = [](const char* state) {
        return std::optional(model::snapshot_as_read(model::parse_state(state).begin()->second));
    };
    const auto saved = link(
        "link zl0\n mode 0x00011100\n segment ce0 state 0x110\n segment ce1 state 0x50110\n"
        " tl 02:00:00:00:00:01 ce0\n");
    struct undo_case {
        const char* done;
        std::optional<link_snapshot> now;
        const char* statements;
        const char* rebuilt_because;
    };
    const undo_case cases[] = {
        {"nothing", saved, "", ""},
        {"mode, role and entry changed",
         link("link zl0\n mode 0x00011010\n segment ce0 state 0x120\n segment ce1 state 0x50110\n"
              " tl 02:00:00:00:00:01 ce1\n"),
         "zl zl0\n  dynamic\n  seg ce0 trunk ;\n  tl 02:00:00:00:00:01 ce0\nend\n", ""},
        {"a member added and one removed",
         link("link zl0\n mode 0x00011100\n segment ce0 state 0x110\n segment ce2 state 0x110\n"
              " tl 02:00:00:00:00:01 ce0\n"),
         "zl zl0\n  seg ce2 delete ;\n  seg ce1 speed 100bt duplex full ;\nend\n", ""},
        {"members reordered: ce1 goes and comes back after ce0",
         link("link zl0\n mode 0x00011100\n segment ce1 state 0x50110\n segment ce0 state 0x110\n"
              " tl 02:00:00:00:00:01 ce0\n"),
         "zl zl0\n  seg ce1 delete ;\nend\nzl zl0\n  seg ce1 speed 100bt duplex full ;\nend\n", ""},
        {"a speed that no statement clears",
         link("link zl0\n mode 0x00011100\n segment ce0 state 0x80110\n segment ce1 state 0x50110\n"
              " tl 02:00:00:00:00:01 ce0\n"),
         "zl zl0\n  seg ce0 delete ;\n  seg ce1 delete ;\nend\n"
         "zl zl0\n  seg ce0 ;\n  seg ce1 speed 100bt duplex full ;\nend\n",
         ""},
        {"an entry added",
         link("link zl0\n mode 0x00011100\n segment ce0 state 0x110\n segment ce1 state 0x50110\n"
              " tl 02:00:00:00:00:01 ce0\n tl 02:00:00:00:00:02 ce1\n"),
         "zl zl0 delete end\nzl zl0\n  dynamic\n  seg ce0 trunk sameaddr end\n"
         "  seg ce1 trunk sameaddr speed 100bt duplex full end\n  tl 02:00:00:00:00:01 ce0\nend\n",
         "a table-lookup entry 02:00:00:00:00:02 was added, which no statement removes"},
        {"deleted", std::nullopt,
         "zl zl0\n  dynamic\n  seg ce0 trunk sameaddr end\n"
         "  seg ce1 trunk sameaddr speed 100bt duplex full end\n  tl 02:00:00:00:00:01 ce0\nend\n",
         "the apply deleted it"},
    };
    for (const undo_case& c : cases) {
        const apply::link_undo undo = apply::undo_of("zl0", c.now, saved);
        EXPECT_EQ(undo.statements, c.statements) << c.done;
        EXPECT_EQ(undo.rebuilt_because, c.rebuilt_because) << c.done;
    }
    EXPECT_EQ(apply::undo_of("zl5", saved, std::nullopt).statements, "zl zl5 delete end\n");
}

// A second apply on the same restore point, while the first holds it.
TEST_F(Zlapply, ASecondApplyExitsAtOnceNamingTheHolder) {
    std::filesystem::create_directories(dir_.path() / "run");
    const std::string lock = restore_point() + ".lock";
    const pid_t holder = fork();
    if (holder == 0) {
        const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT, 0600);
        ::flock(fd, LOCK_EX);
        const std::string note = std::to_string(getpid()) + " applying\n";
        if (::write(fd, note.data(), note.size()) < 0) _exit(1);
        ::pause();
        _exit(0);
    }
    for (int i = 0; i < 500 && file_text(lock).find(std::to_string(holder)) == std::string::npos;
         ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const outcome o = apply(kThreeBlocks);
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.messages, "zlapply: another zlapply (process " + std::to_string(holder) +
                              ") holds " + lock + "; nothing sent\n");
    EXPECT_EQ(o.changing, std::vector<std::string>{});
}

// Kept or reverted as the confirmation decides; each outcome has its line.
TEST_F(Zlapply, KeepsOnlyWhatIsConfirmed) {
    const std::string before = sim::dumpinfo_of_state(state_);
    confirm_.answer = {false, "not confirmed within 30 s"};
    const outcome reverted = apply(kThreeBlocks, "", 30);
    EXPECT_EQ(confirm_.waited, 30);
    EXPECT_EQ(reverted.status, 4) << reverted.messages;
    EXPECT_EQ(reverted.shown, before);
    EXPECT_THAT(reverted.messages, HasSubstr("zlapply: zl0: set back\n"
                                             "zlapply: zl1: deleted, as the apply created it\n"
                                             "zlapply: zl2: deleted and built again from the "
                                             "restore point: the apply deleted it\n"));
    EXPECT_FALSE(restore_point_left());

    confirm_.answer = {true, "answered y"};
    const outcome kept = apply(kThreeBlocks, "", 30);
    EXPECT_EQ(kept.status, 0) << kept.messages;
    EXPECT_NE(kept.shown, before);
    EXPECT_FALSE(restore_point_left());
    EXPECT_EQ(audit_.lines,
              (std::vector<std::string>{
                  "applied site.conf, to be confirmed within 30 s; changed: zl0 zl1 zl2",
                  "rolled back site.conf (not kept: not confirmed within 30 s); restored: zl0 "
                  "zl1 zl2",
                  "applied site.conf, to be confirmed within 30 s; changed: zl0 zl1 zl2",
                  "kept site.conf (answered y); changed: zl0 zl1 zl2"}));
}

// A signal before the first changing request stops the apply with nothing
// sent; one that comes later rolls back what was sent.
TEST_F(Zlapply, ATerminationSignalStopsTheApply) {
    const std::string before = sim::dumpinfo_of_state(state_);
    signal_ = "SIGTERM";
    const outcome early = apply(kThreeBlocks);
    EXPECT_EQ(early.status, 1);
    EXPECT_EQ(early.changing, std::vector<std::string>{});
    EXPECT_THAT(early.messages,
                HasSubstr("SIGTERM arrived before zl0's next request; nothing sent"));
    EXPECT_FALSE(restore_point_left());
    EXPECT_EQ(audit_.lines, std::vector<std::string>{});

    asked_ = 0;
    signal_after_ = 3;
    const outcome later = apply(kThreeBlocks);
    EXPECT_EQ(later.status, 4) << later.messages;
    EXPECT_EQ(later.shown, before);
    EXPECT_EQ(audit_.lines,
              std::vector<std::string>{"rolled back site.conf (SIGTERM arrived before zl0's next "
                                       "request); restored: zl0"});
}

// A rollback that the driver refuses too leaves the restore point, and says
// how to restore by hand; `zlapply --rollback` then brings the links back.
TEST_F(Zlapply, AnIncompleteRollbackKeepsTheRestorePoint) {
    const std::string before = sim::dumpinfo_of_state(state_);
    const outcome o = apply(kThreeBlocks, "ZLIODLINK:1:EIO,ZLIOASEG:5:EIO");
    EXPECT_EQ(o.status, 5) << o.messages;
    EXPECT_THAT(o.messages, HasSubstr("zlapply: zl2: not restored: segment kce0 is missing\n"));
    EXPECT_THAT(o.messages, HasSubstr("zlapply: rollback incomplete; restore by hand: zlconf " +
                                      restore_point() + "\n"));
    ASSERT_TRUE(restore_point_left());
    EXPECT_THAT(file_text(restore_point()), HasSubstr("zl zl2 delete end\nzl zl2\n"));
    EXPECT_EQ(audit_.lines.back(),
              "rollback of site.conf incomplete (zl2: ZLIODLINK refused: Input/output error); "
              "differs: zl2; restore by hand: zlconf " +
                  restore_point());

    EXPECT_EQ(apply(kThreeBlocks).status, 1) << "a left restore point is not overwritten";
    const outcome back = roll_back();
    EXPECT_EQ(back.status, 4) << back.messages;
    EXPECT_EQ(back.shown, before);
    EXPECT_FALSE(restore_point_left());
    EXPECT_EQ(roll_back().status, 1) << "nothing left to roll back";
}

// What the restore point cannot hold is said; --strict stops there.
TEST_F(Zlapply, WarnsOfWhatTheRestorePointCannotBringBack) {
    state_ = model::parse_state(std::string(kDriver) + kDriverBit);
    const char* warning =
        "zlapply: restore point: zlumi4: mode bits no statement sets: 0x40000000 (0x40000000); "
        "not saved\n"
        "zlapply: the restore point cannot bring back every link exactly";
    const outcome strict = apply(kThreeBlocks, "", std::nullopt, true);
    EXPECT_EQ(strict.status, 1);
    EXPECT_THAT(strict.messages, HasSubstr(std::string(warning) + "; with --strict, nothing sent"));
    EXPECT_EQ(strict.changing, std::vector<std::string>{});
    const outcome plain = apply(kThreeBlocks);
    EXPECT_EQ(plain.status, 0);
    EXPECT_THAT(plain.messages, HasSubstr(warning));
}

// A driver that takes a request without carrying it out is caught when the
// links are read back.
TEST_F(Zlapply, AReadBackThatDiffersFromThePlanRollsBack) {
    const std::string before = sim::dumpinfo_of_state(state_);
    swallowed_ = ZLIOSMODE;
    const outcome o = apply(kThreeBlocks);
    EXPECT_EQ(o.status, 4) << o.messages;
    EXPECT_THAT(o.messages,
                HasSubstr("zlapply: zl0 is not as the check predicted: mode 0x00010100 "
                          "(TBLLOOKUP|DYMXOR), not 0x00010010 (TBLLOOKUP|ROUNDROBIN)\n"));
    EXPECT_EQ(o.shown, before);
}

TEST(ZlapplyInput, IsReadWholeOrRefusedPastItsLimit) {
    const scratch_dir dir("zlapply-input");
    write_text(dir.path() / "small", "zl zl0 end\n");
    write_text(dir.path() / "large", std::string(100, '\n'));
    for (const char* name : {"small", "large"}) {
        const int fd = ::open((dir.path() / name).c_str(), O_RDONLY);
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        const std::string text = file_text(dir.path() / name);
        ASSERT_EQ(::write(ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
        ::close(ends[1]);
        for (const int from : {fd, ends[0]}) {
            const apply::input_bytes in = apply::read_whole(from, 64);
            EXPECT_EQ(in.too_large, text.size() > 64) << name;
            EXPECT_EQ(in.bytes, in.too_large ? "" : text) << name;
            ::close(from);
        }
    }
    const std::string rp = (dir.path() / "restore.conf").string();
    const child_result missing =
        run_child(dir.path(), {ZLAPPLY_BINARY, "--restore-point", rp, "missing.conf"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "zlapply: can't open missing.conf: No such file or directory\n");
}
}  // namespace
