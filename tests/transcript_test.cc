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
    std::vector<std::string> produced;  // compared, in this order
};

const suite& zlconf_suite() {
    static const suite s{TRANSCRIPT_DIR,
                         ZLCONF_BINARY,
                         "zlconf.conf",
                         "ZLCONF_UPDATE_TRANSCRIPTS",
                         {"log", "stdout", "stderr", "status", "state after"}};
    return s;
}

const suite& zlplan_suite() {
    static const suite s{PLAN_TRANSCRIPT_DIR,
                         ZLPLAN_BINARY,
                         "site.conf",
                         "ZLPLAN_UPDATE_TRANSCRIPTS",
                         {"stdout", "stderr", "status"}};
    return s;
}

const suite& zlsave_suite() {
    static const suite s{SAVE_TRANSCRIPT_DIR,
                         ZLSAVE_BINARY,
                         "zlconf.conf",
                         "ZLSAVE_UPDATE_TRANSCRIPTS",
                         {"stdout", "stderr", "status"}};
    return s;
}

const suite& zlsim_suite() {
    static const suite s{SIM_TRANSCRIPT_DIR,
                         ZLSIM_BINARY,
                         "zlsim.state",
                         "ZLSIM_UPDATE_TRANSCRIPTS",
                         {"stdout", "stderr", "status"}};
    return s;
}

// `env` goes to the stand-in: ZLSTANDIN_FILL chooses what its records leave in
// their open bytes.
void check_transcript(const suite& s, const std::string& name,
                      const std::vector<std::string>& env = {}) {
    const fs::path path = fs::path(s.dir) / (name + ".t");
    transcript t = read_transcript(path);
    std::vector<std::string> args;
    std::istringstream arg_lines(t.value_or("args", std::string(s.config_name) + "\n"));
    for (std::string arg; std::getline(arg_lines, arg);) args.push_back(arg);
    const standin_run run{t.value_or("config"),
                          t.value_or("state"),
                          t.value_or("stdin"),
                          t.value_or("fail").substr(0, t.value_or("fail").find('\n')),
                          args,
                          env,
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
        for (const std::string& n : s.produced) {
            if (!wanted(n)) continue;
            t.order.push_back(n);
            t.sections[n] = actual.at(n);
        }
        write_transcript(path, t);
        return;
    }
    for (const std::string& n : s.produced) {
        if (!wanted(n)) continue;
        ASSERT_TRUE(t.has(n)) << path << " has no section " << n;
        EXPECT_EQ(escape_section(actual.at(n)), escape_section(t.at(n)))
            << "section " << n << " of " << path;
    }
}

std::vector<std::string> transcript_names(const char* dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".t") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string test_name(const testing::TestParamInfo<std::string>& param) {
    std::string name = param.param;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

class Transcript : public testing::TestWithParam<std::string> {};
TEST_P(Transcript, RunMatches) {
    check_transcript(zlconf_suite(), GetParam());
}
INSTANTIATE_TEST_SUITE_P(EndToEnd, Transcript, testing::ValuesIn(transcript_names(TRANSCRIPT_DIR)),
                         test_name);

// Again with a driver that leaves zeros where its records leave bytes open: a
// tool that relies on any of them (say, a lookup entry's `installed`) differs.
class TranscriptOverZeros : public testing::TestWithParam<std::string> {};
TEST_P(TranscriptOverZeros, RunMatches) {
    check_transcript(zlconf_suite(), GetParam(), {"ZLSTANDIN_FILL=zeros"});
}
INSTANTIATE_TEST_SUITE_P(EndToEndDriverLeavesZeros, TranscriptOverZeros,
                         testing::ValuesIn(transcript_names(TRANSCRIPT_DIR)), test_name);

class PlanTranscript : public testing::TestWithParam<std::string> {};
TEST_P(PlanTranscript, RunMatches) {
    check_transcript(zlplan_suite(), GetParam());
}
INSTANTIATE_TEST_SUITE_P(Zlplan, PlanTranscript,
                         testing::ValuesIn(transcript_names(PLAN_TRANSCRIPT_DIR)), test_name);

class SaveTranscript : public testing::TestWithParam<std::string> {};
TEST_P(SaveTranscript, RunMatches) {
    check_transcript(zlsave_suite(), GetParam());
}
INSTANTIATE_TEST_SUITE_P(Zlsave, SaveTranscript,
                         testing::ValuesIn(transcript_names(SAVE_TRANSCRIPT_DIR)), test_name);

// zlsim keeps its state in the file the transcript gives, not the caller's.
class SimTranscript : public testing::TestWithParam<std::string> {};
TEST_P(SimTranscript, RunMatches) {
    check_transcript(zlsim_suite(), GetParam(), {"ZLSIM_STATE="});
}
INSTANTIATE_TEST_SUITE_P(Zlsim, SimTranscript,
                         testing::ValuesIn(transcript_names(SIM_TRANSCRIPT_DIR)), test_name);

}  // namespace
