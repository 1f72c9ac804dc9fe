// zlsim in places it does not own: a shared folder where others plant links
// and files, a folder it cannot write, a preload the loader would not take.
// Each run is of the built programs in a scratch folder, whose "victim"
// folder stands for the files a planted link would reach.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"

namespace fs = std::filesystem;

namespace {

using testing::HasSubstr;

// zlsim's own state, preload and failures, none of the caller's.
std::vector<std::string> own_environment() {
    return {"ZLSIM_STATE=", "LD_PRELOAD=", "ZLSTANDIN_FAIL=", "ZLSIM_PRELOAD="};
}

class ZlsimPlaces : public testing::Test {
protected:
    ZlsimPlaces() { fs::create_directory(dir_.path() / "victim"); }
    child_result zlsim(std::vector<std::string> args, const std::string& input = "zl zl1 end\n",
                       const std::vector<std::string>& env = own_environment()) {
        args.insert(args.begin(), ZLSIM_BINARY);
        // Bounded, so that a run that hangs on a planted file fails rather than waits.
        args.insert(args.begin(), {"timeout", "20"});
        return run_child(dir_.path(), args, env, input);
    }
    fs::path victim(const std::string& name) const { return dir_.path() / "victim" / name; }
    scratch_dir dir_{"zlsim-places"};
};

struct planted_link {
    const char* name;    // planted beside the state
    bool target_exists;  // the victim holds a file it must keep
    std::vector<std::string> command;
    int status;
};

void PrintTo(const planted_link& p, std::ostream* out) {
    *out << p.name << (p.target_exists ? " to a file, " : " to nothing, ") << p.command[0];
}

class PlantedLinks : public ZlsimPlaces, public testing::WithParamInterface<planted_link> {};

// No command writes, truncates or makes a file through a link planted as
// the state, its lock or its log.
TEST_P(PlantedLinks, LeadNowhere) {
    const planted_link& p = GetParam();
    const std::string kept = "root:x:0:0:root:/root:/bin/sh\n";
    if (p.target_exists) write_text(victim("file"), kept);
    fs::create_symlink("victim/file", dir_.path() / p.name);
    const child_result r = zlsim(p.command);
    EXPECT_EQ(r.status, p.status) << r.err;
    EXPECT_THAT(r.err, HasSubstr(std::string(p.name) + ": is a symbolic link, which is never "
                                                       "followed"));
    if (p.target_exists) {
        EXPECT_EQ(file_text(victim("file")), kept);
    } else {
        EXPECT_FALSE(fs::exists(victim("file")));
    }
    EXPECT_TRUE(fs::is_symlink(dir_.path() / p.name));
}

std::vector<std::string> run_zlconf() {
    return {"run", "zlconf", "-"};
}

INSTANTIATE_TEST_SUITE_P(StateLockAndLog, PlantedLinks,
                         testing::Values(planted_link{"zlsim.state", true, {"reset"}, 1},
                                         planted_link{"zlsim.state", true, run_zlconf(), 125},
                                         planted_link{"zlsim.state", false, run_zlconf(), 125},
                                         planted_link{"zlsim.state", true, {"show"}, 1},
                                         planted_link{"zlsim.state.lock", false, {"show"}, 1},
                                         planted_link{"zlsim.state.lock", false, {"log"}, 1},
                                         planted_link{"zlsim.state.log", true, run_zlconf(), 125},
                                         planted_link{"zlsim.state.log", false, run_zlconf(),
                                                      125}));

// reset replaces a state file or makes one, and nothing else.
TEST_F(ZlsimPlaces, ResetReplacesOnlyAStateFile) {
    write_text(dir_.path() / "notes", "not a state\n");
    const child_result r = zlsim({"reset", "--state", "notes"});
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("notes: line 1: 'not' before the first link line; not replaced"));
    EXPECT_EQ(file_text(dir_.path() / "notes"), "not a state\n");
    EXPECT_EQ(zlsim({"reset", "--state", "new.state"}).status, 0);
    EXPECT_EQ(zlsim({"reset", "--state", "new.state"}).status, 0);
}

// Files that others could replace or read are not made in a folder they can
// write, when the superuser runs it.
TEST_F(ZlsimPlaces, MakesItsFilesPrivateInASharedFolder) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs the superuser";
    fs::permissions(dir_.path(), fs::perms::all | fs::perms::sticky_bit);
    ASSERT_EQ(zlsim(run_zlconf()).status, 0);
    for (const char* made : {"zlsim.state", "zlsim.state.lock", "zlsim.state.log"}) {
        struct stat file {};
        ASSERT_EQ(::stat((dir_.path() / made).c_str(), &file), 0) << made;
        EXPECT_EQ(file.st_mode & 07777, 0600U) << made;
    }
}

// Not regular files: a FIFO would hang a reader, a device of zeros fill its
// memory; a file past the size limit is no state.
TEST_F(ZlsimPlaces, ReadsOnlyRegularStateFilesOfBoundedSize) {
    ASSERT_EQ(::mkfifo((dir_.path() / "fifo").c_str(), 0600), 0);
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"show", "--state", "fifo"},
          {"run", "--state", "fifo", "true"},
          {"reset", "fifo"}}) {
        const child_result r = zlsim(command);
        EXPECT_NE(r.status, 0) << command[0];
        EXPECT_THAT(r.err, HasSubstr("fifo: not a regular file")) << command[0];
    }
    const child_result zeros = zlsim({"reset", "/dev/zero"});
    EXPECT_EQ(zeros.status, 1);
    EXPECT_THAT(zeros.err, HasSubstr("/dev/zero: not a regular file"));
    write_text(dir_.path() / "huge", "");
    fs::resize_file(dir_.path() / "huge", (64U << 20) + 1);  // sparse: no disk taken
    const child_result huge = zlsim({"show", "--state", "huge"});
    EXPECT_EQ(huge.status, 1);
    EXPECT_THAT(huge.err, HasSubstr("huge: larger than 64 MiB"));
}

// What a killed save left is removed by the next save; an empty --state is
// wrong arguments and leaves nothing.
TEST_F(ZlsimPlaces, LeavesNoLitter) {
    write_text(dir_.path() / ".zlsim.state.k1lLed", "link zl0\n");
    ASSERT_EQ(zlsim(run_zlconf()).status, 0);
    EXPECT_FALSE(fs::exists(dir_.path() / ".zlsim.state.k1lLed"));

    const scratch_dir empty("zlsim-empty-state");
    for (const char* verb : {"run", "show", "reset", "log"}) {
        std::vector<std::string> args = {ZLSIM_BINARY, verb, "--state="};
        if (std::string(verb) == "run") args.emplace_back("true");
        const child_result r = run_child(empty.path(), args, own_environment());
        EXPECT_EQ(r.status, 2) << verb;
        EXPECT_THAT(r.err, HasSubstr("--state needs a file name")) << verb;
    }
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(empty.path())) {
        if (!entry.path().filename().string().starts_with(".std")) {
            left.push_back(entry.path().filename());
        }
    }
    EXPECT_THAT(left, testing::IsEmpty());
}

// show and log only read: a user who cannot write the folder still can.
TEST_F(ZlsimPlaces, ReadOnlyCommandsWorkWhereNothingCanBeWritten) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs the superuser, to become another user";
    ASSERT_EQ(zlsim(run_zlconf()).status, 0);
    fs::remove(dir_.path() / "zlsim.state.lock");
    for (const char* verb : {"show", "log"}) {
        const child_result r = run_child(
            dir_.path(),
            {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", ZLSIM_BINARY, verb},
            own_environment());
        EXPECT_EQ(r.status, 0) << verb << ": " << r.err;
        EXPECT_THAT(r.out, HasSubstr("zl1")) << verb;
    }
}

// The loader reads LD_PRELOAD its own way: a path it would split, or one
// relative to a directory the command leaves, must not let the command run
// unsimulated. The stand-in marks each process it is loaded into.
TEST_F(ZlsimPlaces, NothingEscapesTheRehearsal) {
    const fs::path spaced = dir_.path() / "lib dir";
    fs::create_directories(spaced);
    fs::copy_file(STANDIN_PRELOAD, spaced / "libstandin_preload.so");
    fs::copy_file(STANDIN_PRELOAD, dir_.path() / "victim" / "libstandin_preload.so");
    std::vector<std::string> env = own_environment();
    env.push_back("ZLSIM_PRELOAD=" + (spaced / "libstandin_preload.so").string());
    const child_result split = zlsim({"run", "sh", "-c", "touch ran"}, "", env);
    EXPECT_EQ(split.status, 125);
    EXPECT_THAT(split.err, HasSubstr("would split it in LD_PRELOAD; the command is not run"));
    EXPECT_FALSE(fs::exists(dir_.path() / "ran"));

    // Relative, and the command changes directory before zlconf opens a link.
    env.back() = "ZLSIM_PRELOAD=victim/libstandin_preload.so";
    fs::create_directory(dir_.path() / "elsewhere");
    const child_result relative =
        zlsim({"run", "sh", "-c", "cd elsewhere && zlconf -"}, "zl zl4 end\n", env);
    EXPECT_EQ(relative.status, 0) << relative.err;
    EXPECT_THAT(zlsim({"show"}).out, HasSubstr("Zelnar zl4"));

    // The mark that zlsim looks for before it runs a command.
    const child_result bare =
        run_child(dir_.path(), {ZLSIM_BINARY, "--preload-probe"}, own_environment());
    EXPECT_EQ(bare.status, 125);
    std::vector<std::string> preloaded = own_environment();
    preloaded.push_back(std::string("LD_PRELOAD=") + STANDIN_PRELOAD);
    preloaded.emplace_back("ASAN_OPTIONS=verify_asan_link_order=0");
    EXPECT_EQ(run_child(dir_.path(), {ZLSIM_BINARY, "--preload-probe"}, preloaded).status, 0);
}

}  // namespace
