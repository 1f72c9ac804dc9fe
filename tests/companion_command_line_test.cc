// The command line every companion reads the same way, run as built: --help
// and -h print the whole usage on standard output, --version the name and
// version, with status 0; wrong arguments print what is wrong and then that
// usage on standard error, with status 2. The first of those words settles
// the run. Each program's usage is pinned here and nowhere else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "child_process.h"

namespace {

struct companion_program {
    const char* binary;
    const char* name;
    const char* usage;
};

constexpr companion_program kZlplan{ZLPLAN_BINARY, "zlplan",
                                    R"(usage: zlplan [--json] [--full] [--strict] [--exit-code]
              [--check [--state FILE]] [--] [<config_file> | - ]
       zlplan --help | --version
Shows what zlconf would do with the file: for each link block the state read
from the driver, what changes, and the requests zlconf would send that change
it; --full lists every request and the whole state after each block.
Only reads the driver; --check reads none, taking each link from the zlsim
state FILE, or as absent. --strict fails on any warning; --exit-code tells
a change by status 3. Exit status: 0 plan printed, 1 syntax or driver
error (or a warning, with --strict), 2 input not readable or wrong
arguments, 3 some link would change (with --exit-code).
)"};

constexpr companion_program kZlsave{ZLSAVE_BINARY, "zlsave",
                                    R"(usage: zlsave [--state | --json] [-o FILE] [LINK...]
       zlsave --help | --version
Prints the driver's links (all, or those named: zl0..zl8, zlumi0..zlumi8) as a
configuration file that recreates them from nothing: per link a block that
deletes it, then one that builds it again. Only reads the driver. --state
prints them as a zlsim state file instead, --json as link objects. -o FILE
replaces FILE only once the whole save is written. Exit status: 0 saved, 1 a
link that cannot be opened or read or FILE not written, 2 wrong arguments.
)"};

constexpr companion_program kZlsim{
    ZLSIM_BINARY, "zlsim",
    R"(usage: zlsim run [--state FILE] [--fail RULES] [--] COMMAND [ARGUMENT...]
       zlsim show [--state FILE] [--json]
       zlsim reset [--state FILE] [FROM_STATE_FILE]
       zlsim log [--state FILE] [--all]
       zlsim --help | --version
A simulated link-aggregation driver: `run` runs COMMAND (zlconf, zlplan,
zlsave) with the driver's devices simulated; the links persist in the state
file between runs. The state file is zlsim.state in the current directory
unless --state or $ZLSIM_STATE names another; the runs' request log is
FILE.log beside it. RULES inject failures, e.g. ZLIOCLINK:1:EBUSY or
open:zl3:ENOENT.
Exit status: run's is the command's (125 cannot start it, 126 cannot execute
it, 127 not found); otherwise 0 done, 1 a file error, 2 wrong arguments.
)"};

constexpr companion_program kZlapply{
    ZLAPPLY_BINARY, "zlapply",
    R"(usage: zlapply [--confirm SECONDS] [--strict] [--restore-point FILE] [--]
               [<config_file> | - ]
       zlapply --confirm [--restore-point FILE]
       zlapply --rollback [--restore-point FILE]
       zlapply --help | --version
Applies the whole file or nothing: checks it first as zlplan does, saves the
driver's links as zlsave does, applies the file as zlconf does and rolls back
on the first refused request. With --confirm SECONDS the change is reverted
unless it is confirmed in time, on the terminal or by `zlapply --confirm`.
--rollback restores a restore point that a killed apply left.
Exit status: 0 applied, 1 nothing sent, 2 wrong arguments or input not
readable, 4 rolled back, 5 rollback incomplete.
)"};

constexpr const companion_program* kPrograms[] = {&kZlplan, &kZlsave, &kZlsim, &kZlapply};

child_result run(const companion_program& p, const std::vector<std::string>& words) {
    const scratch_dir dir(std::string(p.name) + "-command-line");
    std::vector<std::string> args{p.binary};
    args.insert(args.end(), words.begin(), words.end());
    return run_child(dir.path(), args);
}

TEST(CompanionCommandLine, HelpAndVersionAnswerFirst) {
    for (const companion_program* p : kPrograms) {
        for (const std::vector<std::string>& words :
             {std::vector<std::string>{"--help"}, {"-h"}, {"--help", "--bogus"}}) {
            const child_result r = run(*p, words);
            EXPECT_EQ(r.status, 0) << p->name << " " << words.back();
            EXPECT_EQ(r.out, p->usage) << p->name << " " << words.back();
            EXPECT_EQ(r.err, "") << p->name << " " << words.back();
        }
        const child_result version = run(*p, {"--version", "--bogus"});
        EXPECT_EQ(version.status, 0) << p->name;
        EXPECT_EQ(version.out, std::string(p->name) + " (zlconf) " ZLCONF_VERSION "\n");
        EXPECT_EQ(version.err, "") << p->name;
    }
}

struct wrong_case {
    const companion_program* program;
    std::vector<std::string> words;
    const char* message;
};

TEST(CompanionCommandLine, WrongArgumentsAreNamedBeforeTheUsage) {
    const wrong_case wrong[] = {
        {&kZlplan, {"--bogus", "--help"}, "unknown option --bogus"},
        {&kZlplan, {"--state"}, "--state needs a file name"},
        {&kZlplan, {"--state", "x.state", "site.conf"}, "--state goes with --check"},
        {&kZlplan, {"site.conf", "other.conf"}, "more than one configuration file"},
        {&kZlsave, {"--bogus", "--help"}, "unknown option --bogus"},
        {&kZlsave, {"zl9"}, "not a link name: zl9"},
        {&kZlsave, {"--state", "--json"}, "--state and --json exclude each other"},
        {&kZlsave, {"--output="}, "--output needs a file name"},
        {&kZlsim, {"--bogus", "--help"}, "unknown option --bogus"},
        {&kZlsim, {}, "no command given"},
        {&kZlsim, {"frobnicate"}, "unknown command or extra argument: zlsim frobnicate"},
        {&kZlsim, {"run"}, "run needs a command"},
        {&kZlsim, {"log", "--json"}, "--json belongs to show"},
        {&kZlsim, {"show", "--fail"}, "--fail needs a value"},
        {&kZlapply, {"--bogus", "--help"}, "unknown option --bogus"},
        {&kZlapply, {"--confirm", "site.conf", "other.conf"}, "more than one configuration file"},
        {&kZlapply, {"--rollback", "site.conf"}, "--rollback takes no file and no other option"},
        {&kZlapply,
         {"--confirm", "--strict"},
         "--confirm without SECONDS takes no file and no other option"},
        {&kZlapply, {"--restore-point"}, "--restore-point needs a file name"},
    };
    for (const wrong_case& c : wrong) {
        const child_result r = run(*c.program, c.words);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_EQ(r.err, std::string(c.program->name) + ": " + c.message + "\n" + c.program->usage);
    }
    // zlplan --json tells the reader of its output too.
    const child_result json = run(kZlplan, {"--json", "--bogus"});
    EXPECT_NE(json.out.find("\"error\": \"unknown option --bogus\",\n  \"status\": 2\n}"),
              std::string::npos)
        << json.out;
}

}  // namespace
