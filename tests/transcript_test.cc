// Runs the built zlconf against the stand-in driver for every transcript in
// tests/transcripts and compares the request log, both output streams, the
// exit status and, where given, the driver's state afterwards; and the built
// zlplan for every transcript in tests/plans, zlsave for every one in
// tests/saves and zlsim for every one in tests/sims, comparing their output
// streams and exit status. The input sections are config (for zlsim, its
// state file), state, fail, args and stdin.
//
// ZLCONF_UPDATE_TRANSCRIPTS=1 (ZLPLAN_, ZLSAVE_ or ZLSIM_UPDATE_TRANSCRIPTS=1
// for the others) writes what the runs produced back into the transcripts, to
// be read and checked before it is committed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "transcript.h"

namespace fs = std::filesystem;

namespace {

struct suite {
    const char* dir;
    const char* program;
    const char* config_name;
    const char* update_variable;
    std::span<const char* const> produced;  // compared, in this order
    const char* env = nullptr;              // for the run, beside the stand-in's
};

constexpr const char* kEverything[] = {"log", "stdout", "stderr", "status", "state after"};
constexpr const char* kPrinted[] = {"stdout", "stderr", "status"};
constexpr suite kZlconf{TRANSCRIPT_DIR, ZLCONF_BINARY, "zlconf.conf", "ZLCONF_UPDATE_TRANSCRIPTS",
                        kEverything};
// Again with a driver that leaves zeros where its records leave bytes open: a
// tool that relies on any of them (say, a lookup entry's `installed`) differs.
constexpr suite kZlconfOverZeros{TRANSCRIPT_DIR, ZLCONF_BINARY,
                                 "zlconf.conf",  "ZLCONF_UPDATE_TRANSCRIPTS",
                                 kEverything,    "ZLSTANDIN_FILL=zeros"};
// In a UTF-8 locale, whatever the one the tests run in: zlplan's arrows follow it.
constexpr suite kZlplan{PLAN_TRANSCRIPT_DIR,         ZLPLAN_BINARY, "site.conf",
                        "ZLPLAN_UPDATE_TRANSCRIPTS", kPrinted,      "LC_ALL=C.UTF-8"};
constexpr suite kZlsave{SAVE_TRANSCRIPT_DIR, ZLSAVE_BINARY, "zlconf.conf",
                        "ZLSAVE_UPDATE_TRANSCRIPTS", kPrinted};
// zlsim keeps its state in the file the transcript gives, not the caller's.
constexpr suite kZlsim{SIM_TRANSCRIPT_DIR,         ZLSIM_BINARY, "zlsim.state",
                       "ZLSIM_UPDATE_TRANSCRIPTS", kPrinted,     "ZLSIM_STATE="};

void check_transcript(const suite& s, const std::string& name) {
    const fs::path path = fs::path(s.dir) / (name + ".t");
    transcript t = read_transcript(path);
    std::vector<std::string> args;
    std::istringstream arg_lines(t.value_or("args", std::string(s.config_name) + "\n"));
    for (std::string arg; std::getline(arg_lines, arg);) args.push_back(arg);
    const standin_run run{
        t.value_or("config"),
        t.value_or("state"),
        t.value_or("stdin"),
        t.value_or("fail").substr(0, t.value_or("fail").find('\n')),
        args,
        s.env != nullptr ? std::vector<std::string>{s.env} : std::vector<std::string>{},
        s.config_name};

    const scratch_dir dir("transcript-" + name);
    const standin_result r = run_under_standin(dir.path(), s.program, run);
    const std::map<std::string, std::string> actual{{"log", r.log},
                                                    {"stdout", r.out},
                                                    {"stderr", r.err},
                                                    {"status", std::to_string(r.status) + "\n"},
                                                    {"state after", r.state_after}};

    // "state after" only where the transcript asks for it.
    const auto wanted = [&](const std::string& section_name) {
        return section_name != "state after" || t.has(section_name);
    };
    if (std::getenv(s.update_variable) != nullptr) {
        // The inputs first, then what the run produced, in one order.
        std::erase_if(t.order, [&](const std::string& n) {
            return std::find(s.produced.begin(), s.produced.end(), n) != s.produced.end();
        });
        for (const std::string n : s.produced) {
            if (!wanted(n)) continue;
            t.order.push_back(n);
            t.sections[n] = actual.at(n);
        }
        write_transcript(path, t);
        return;
    }
    for (const std::string n : s.produced) {
        if (!wanted(n)) continue;
        ASSERT_TRUE(t.has(n)) << path << " has no section " << n;
        EXPECT_EQ(escape_section(actual.at(n)), escape_section(t.at(n)))
            << "section " << n << " of " << path;
    }
}

struct run_case {
    const suite* s;
    std::string name;
};

void PrintTo(const run_case& c, std::ostream* os) {
    *os << c.name;
}

std::vector<run_case> cases_of(const suite& s) {
    std::vector<run_case> cases;
    for (const auto& entry : fs::directory_iterator(s.dir)) {
        if (entry.path().extension() == ".t") cases.push_back({&s, entry.path().stem().string()});
    }
    std::ranges::sort(cases, {}, &run_case::name);
    return cases;
}

std::string test_name(const testing::TestParamInfo<run_case>& param) {
    std::string name = param.param.name;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

class Transcript : public testing::TestWithParam<run_case> {};
TEST_P(Transcript, RunMatches) {
    check_transcript(*GetParam().s, GetParam().name);
}
INSTANTIATE_TEST_SUITE_P(EndToEnd, Transcript, testing::ValuesIn(cases_of(kZlconf)), test_name);
INSTANTIATE_TEST_SUITE_P(EndToEndDriverLeavesZeros, Transcript,
                         testing::ValuesIn(cases_of(kZlconfOverZeros)), test_name);
INSTANTIATE_TEST_SUITE_P(Zlplan, Transcript, testing::ValuesIn(cases_of(kZlplan)), test_name);
INSTANTIATE_TEST_SUITE_P(Zlsave, Transcript, testing::ValuesIn(cases_of(kZlsave)), test_name);
INSTANTIATE_TEST_SUITE_P(Zlsim, Transcript, testing::ValuesIn(cases_of(kZlsim)), test_name);

// A driver that refuses the ZLIOSSEG ending each segment it has just removed
// changes nothing a person sees: no refusal line, the same status, the same
// links. Only the log shows those answers.
TEST(EndToEndStrictDriver, EveryStatementRunsWithoutARefusalLine) {
    const transcript t = read_transcript(fs::path(TRANSCRIPT_DIR) / "every_statement.t");
    const scratch_dir dir("strict-driver");
    const standin_result r = run_under_standin(
        dir.path(), ZLCONF_BINARY,
        {t.at("config"), t.at("state"), "", "ZLIOSSEG:removed:ENOENT", {"zlconf.conf"}, {}});

    std::string expected_log;
    std::string previous;
    std::istringstream lines(t.at("log"));
    int refused = 0;
    for (std::string line; std::getline(lines, line); previous = line) {
        if (previous.find(" ZLIODSEG ") != std::string::npos && previous.ends_with("-> ok") &&
            line.find(" ZLIOSSEG ") != std::string::npos) {
            line.replace(line.rfind("-> ok"), 5, "-> ENOENT");
            ++refused;
        }
        expected_log += line + "\n";
    }
    EXPECT_EQ(refused, 1) << "the transcript removes one segment";
    EXPECT_EQ(r.log, expected_log);
    EXPECT_EQ(r.out, t.at("stdout"));
    EXPECT_EQ(escape_section(r.err), escape_section(t.at("stderr")));
    EXPECT_EQ(std::to_string(r.status) + "\n", t.at("status"));
    EXPECT_EQ(r.state_after, t.at("state after"));
}

}  // namespace
