// zlplan and zlconf as built programs, against the stand-in driver, on every
// example and on the configuration of every transcript: zlplan only reads and
// leaves the driver as it was, its planned requests are the requests zlconf
// then sends, request for request, and it stops where zlconf stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "model/state_file.h"
#include "transcript.h"

namespace fs = std::filesystem;

namespace {

struct case_files {
    std::string name;
    std::string config;
    std::string state;
    std::string stdin_text;
    bool from_stdin = false;
    std::string failures;  // only those zlplan meets too: opening and reading
};

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool is_read_or_open(const std::string& line) {
    return line.starts_with("open ") || line.starts_with("close ") ||
           line.find(" ZLIOGLINK") != std::string::npos ||
           line.find(" ZLIOGSEG ") != std::string::npos ||
           line.find(" ZLIOGTL ") != std::string::npos;
}

// zlplan assumes that the driver accepts every change, so only failures of
// opening and reading are kept for both runs.
std::string read_failures(const std::string& rules) {
    std::string kept;
    std::istringstream in(rules);
    for (std::string rule; std::getline(in, rule, ',');) {
        const bool reads = rule.starts_with("open:") || rule.starts_with("ZLIOGLINK:") ||
                           rule.starts_with("ZLIOGSEG:") || rule.starts_with("ZLIOGTL:");
        if (reads) kept += (kept.empty() ? "" : ",") + rule;
    }
    return kept;
}

std::vector<case_files> all_cases() {
    std::vector<case_files> cases;
    for (const auto& entry : fs::directory_iterator(EXAMPLES_DIR)) {
        if (entry.path().extension() != ".conf") continue;
        fs::path state = entry.path();
        state.replace_extension(".state");
        cases.push_back({"example_" + entry.path().stem().string(), file_text(entry.path()),
                         fs::exists(state) ? file_text(state) : "", "", false, ""});
    }
    for (const auto& entry : fs::directory_iterator(TRANSCRIPT_DIR)) {
        if (entry.path().extension() != ".t") continue;
        const transcript t = read_transcript(entry.path());
        const std::vector<std::string> args = lines_of(t.value_or("args", "$CONFIG\n"));
        const bool from_stdin = args == std::vector<std::string>{"-"};
        if (args != std::vector<std::string>{"$CONFIG"} && !from_stdin) continue;
        cases.push_back(
            {"transcript_" + entry.path().stem().string(), t.value_or("config"),
             t.value_or("state"), t.value_or("stdin"), from_stdin,
             read_failures(t.value_or("fail").substr(0, t.value_or("fail").find('\n')))});
    }
    std::sort(cases.begin(), cases.end(),
              [](const case_files& a, const case_files& b) { return a.name < b.name; });
    return cases;
}

// A state file as the stand-in writes it, so that a seed and a file the
// stand-in rewrote compare equal when they hold the same links.
std::string standin_state_text(const std::string& text) {
    return model::format_state(model::parse_state(text));
}

struct run_result {
    standin_result process;
    std::vector<std::string> log;
};

run_result run_both_ways(const case_files& c, const char* binary,
                         std::vector<std::string> options) {
    const scratch_dir dir("zlplan-compare");
    options.emplace_back(c.from_stdin ? "-" : "zlconf.conf");
    run_result r;
    const standin_run run{c.config, c.state, c.stdin_text, c.failures, options, {}};
    r.process = run_under_standin(dir.path(), binary, run);
    r.log = lines_of(r.process.log);
    return r;
}

// The planned requests as the stand-in logs them, without the result.
std::vector<std::string> planned(const nlohmann::json& plan) {
    std::vector<std::string> lines;
    for (const auto& link : plan.at("links")) {
        if (!link.contains("requests")) continue;
        for (const auto& r : link.at("requests")) {
            std::string line =
                link.at("link").get<std::string>() + " " + r.at("request").get<std::string>();
            if (r.contains("name")) {
                line += " name=" + r.at("name").get<std::string>() +
                        " unit=" + std::to_string(r.at("unit").get<int>());
            }
            if (r.contains("flags")) line += " flags=" + r.at("flags").at("hex").get<std::string>();
            if (r.contains("eaddr")) line += " eaddr=" + r.at("eaddr").get<std::string>();
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<std::string> sent(const std::vector<std::string>& log) {
    std::vector<std::string> lines;
    for (const std::string& line : log) {
        if (!is_read_or_open(line)) lines.push_back(line.substr(0, line.rfind(" -> ")));
    }
    return lines;
}

std::vector<std::string> opens_and_reads(const std::vector<std::string>& log) {
    std::vector<std::string> lines;
    for (const std::string& line : log) {
        if (!line.starts_with("close ")) lines.push_back(line);
    }
    return lines;
}

class PlanAgainstZlconf : public testing::TestWithParam<case_files> {};

TEST_P(PlanAgainstZlconf, PlansWhatZlconfSendsAndChangesNothing) {
    const case_files& c = GetParam();
    const run_result plan_run = run_both_ways(c, ZLPLAN_BINARY, {"--json", "--full"});
    const run_result zlconf_run = run_both_ways(c, ZLCONF_BINARY, {});

    // Only opens, the three reads and closes; the driver as it was.
    for (const std::string& line : plan_run.log) EXPECT_TRUE(is_read_or_open(line)) << line;
    EXPECT_EQ(standin_state_text(plan_run.process.state_after), standin_state_text(c.state));

    const nlohmann::json plan = nlohmann::json::parse(plan_run.process.out);
    EXPECT_EQ(planned(plan), sent(zlconf_run.log));

    // Without --full, each request is listed under its place in the sequence,
    // and only ZLIOSSEGs that leave their segment as it is are left out.
    const nlohmann::json brief =
        nlohmann::json::parse(run_both_ways(c, ZLPLAN_BINARY, {"--json"}).process.out);
    ASSERT_EQ(brief.at("links").size(), plan.at("links").size());
    for (std::size_t i = 0; i < plan.at("links").size(); ++i) {
        const auto& full = plan.at("links")[i];
        if (!full.contains("requests")) continue;
        const auto& listed = brief.at("links")[i].at("requests");
        std::size_t next = 0;
        for (const auto& r : listed) {
            const std::size_t number = r.at("number").get<std::size_t>();
            for (; next + 1 < number; ++next) {
                EXPECT_EQ(full.at("requests").at(next).at("request"), "ZLIOSSEG");
            }
            EXPECT_EQ(full.at("requests").at(number - 1), r) << c.name;
            next = number;
        }
        EXPECT_EQ(full.at("requests").size() - listed.size(),
                  brief.at("links")[i].at("unchanged_ZLIOSSEG").get<std::size_t>());
    }
    EXPECT_EQ(plan_run.process.status, zlconf_run.process.status) << plan_run.process.err;
    EXPECT_EQ(plan.at("status").get<int>(), zlconf_run.process.status);

    // Every example is a file zlconf accepts whole, without stray characters.
    if (c.name.starts_with("example_")) {
        EXPECT_EQ(zlconf_run.process.status, 0) << zlconf_run.process.err;
        EXPECT_EQ(zlconf_run.process.out, "");
    }

    // The same links opened and read, as far as zlconf reads the driver
    // rather than what the plan predicts for a link seen before.
    const std::vector<std::string> plan_reads = opens_and_reads(plan_run.log);
    const std::vector<std::string> zlconf_reads = opens_and_reads(zlconf_run.log);
    for (const std::string& line : plan_reads) {
        EXPECT_NE(std::find(zlconf_reads.begin(), zlconf_reads.end(), line), zlconf_reads.end())
            << line;
    }

    // A syntax error points at zlconf's line.
    const std::string marker = "Syntax error line ";
    if (const std::size_t at = zlconf_run.process.err.find(marker); at != std::string::npos) {
        const int line = std::stoi(zlconf_run.process.err.substr(at + marker.size()));
        EXPECT_EQ(plan.at("stop").at("at").at("line").get<int>(), line);
        EXPECT_NE(plan_run.process.err.find(":" + std::to_string(line) + ":"), std::string::npos);
    }
    // DUMPINFO prints in the plan what zlconf prints.
    std::string dumpinfo;
    for (const auto& link : plan.at("links")) {
        if (!link.contains("dumpinfo")) continue;
        for (const auto& d : link.at("dumpinfo")) dumpinfo += d.at("text").get<std::string>();
    }
    if (!dumpinfo.empty()) {
        EXPECT_NE(zlconf_run.process.err.find(dumpinfo), std::string::npos);
    }
}

// zlplan reads as zlconf does, and so stops where it stops: at the first NUL
// of an endless input, in bounded memory. (The address sanitizer needs more
// address space than the bound allows.)
TEST(PlanInput, StopsAtTheFirstNulOfAnEndlessInput) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "runs in the plain build";
#endif
    const scratch_dir dir("zlplan-zero");
    const child_result r = run_child(
        dir.path(),
        {"sh", "-c", std::string("ulimit -v 262144; exec ") + ZLPLAN_BINARY + " /dev/zero"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("/dev/zero:1:1: unexpected end of input"), std::string::npos) << r.err;
}

// Blocks that keep coming back to one link, each adding a segment: each
// block's plan shows what it changes, so the plan grows with the file rather
// than with the square of it; --full shows the whole link after each block.
TEST(PlanInput, GrowsWithTheFileNotWithTheLinks) {
    const std::size_t blocks = 300;
    const char* const families[] = {"ce", "zce", "kce"};
    std::string config;
    for (std::size_t i = 0; i < blocks; ++i) {
        char unit[3];
        std::snprintf(unit, sizeof unit, "%02zu", i % 100);
        config += std::string("zl zl0 seg ") + families[i / 100] + unit + " ; end\n";
    }
    const auto plan = [&](std::vector<std::string> args) {
        const scratch_dir dir("zlplan-growth");
        args.emplace_back("zlconf.conf");
        return run_under_standin(dir.path(), ZLPLAN_BINARY, {config, "", "", "", args, {}});
    };
    const standin_result brief = plan({});
    ASSERT_EQ(brief.status, 0) << brief.err;
    EXPECT_NE(brief.out.find("zlconf would commit 300 link block(s)"), std::string::npos);
    EXPECT_NE(brief.out.find("and 299 ZLIOSSEGs that leave a segment as it is"), std::string::npos);
    EXPECT_LT(brief.out.size(), 1000U * blocks);
    EXPECT_GT(plan({"--full"}).out.size(), 100U * blocks * blocks);
}

INSTANTIATE_TEST_SUITE_P(EveryExampleAndTranscript, PlanAgainstZlconf,
                         testing::ValuesIn(all_cases()),
                         [](const testing::TestParamInfo<case_files>& param) {
                             std::string name = param.param.name;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

}  // namespace
