// Runs the built zlplan against the stand-in driver for every transcript in
// tests/plans and compares both output streams and the exit status. The
// sections are those of tests/transcripts: config, state, fail, args and
// stdin in; stdout, stderr and status out.
//
// ZLPLAN_UPDATE_TRANSCRIPTS=1 writes what the runs produced back into the
// transcripts, to be read and checked before it is committed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "transcript.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> plan_transcripts() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(PLAN_TRANSCRIPT_DIR)) {
        if (entry.path().extension() == ".t") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class PlanTranscript : public testing::TestWithParam<std::string> {};

TEST_P(PlanTranscript, RunMatches) {
    const fs::path path = fs::path(PLAN_TRANSCRIPT_DIR) / (GetParam() + ".t");
    transcript t = read_transcript(path);
    const scratch_dir dir("zlplan-transcript");
    write_text(dir.path() / "site.conf", t.has("config") ? t.at("config") : "");
    write_text(dir.path() / "driver.state", t.has("state") ? t.at("state") : "");
    std::vector<std::string> args{ZLPLAN_BINARY};
    std::istringstream arg_lines(t.has("args") ? t.at("args") : "site.conf\n");
    for (std::string arg; std::getline(arg_lines, arg);) args.push_back(arg);
    const child_result r = run_child(
        dir.path(), args,
        {std::string("LD_PRELOAD=") + STANDIN_PRELOAD, "ZLSTANDIN_STATE=driver.state",
         "ZLSTANDIN_FAIL=" +
             (t.has("fail") ? t.at("fail").substr(0, t.at("fail").find('\n')) : std::string()),
         "ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1"},
        t.has("stdin") ? t.at("stdin") : "");

    const std::vector<std::pair<std::string, std::string>> produced{
        {"stdout", r.out}, {"stderr", r.err}, {"status", std::to_string(r.status) + "\n"}};
    if (std::getenv("ZLPLAN_UPDATE_TRANSCRIPTS") != nullptr) {
        std::erase_if(t.order, [](const std::string& name) {
            return name == "stdout" || name == "stderr" || name == "status";
        });
        for (const auto& [name, text] : produced) {
            t.order.push_back(name);
            t.sections[name] = text;
        }
        write_transcript(path, t);
        return;
    }
    for (const auto& [name, text] : produced) {
        ASSERT_TRUE(t.has(name)) << path << " has no section " << name;
        EXPECT_EQ(escape_section(text), escape_section(t.at(name)))
            << "section " << name << " of " << path;
    }
}

INSTANTIATE_TEST_SUITE_P(Zlplan, PlanTranscript, testing::ValuesIn(plan_transcripts()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

}  // namespace
