// Every request of a few representative runs is made to fail in turn, with
// several errors, through the stand-in driver: each failure has the outcome
// that the tool promises at that point, and the run stays in order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <ranges>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "in_process_run.h"
#include "model/errno_names.h"
#include "model/state_file.h"
#include "request_protocol.h"

namespace {

struct scenario {
    const char* name;
    std::string state;
    std::string config;
};

void PrintTo(const scenario& s, std::ostream* os) {
    *os << s.name;
}

std::vector<scenario> scenarios() {
    return {
        {"site_example", file_text(EXAMPLES_DIR "/site.state"),
         file_text(EXAMPLES_DIR "/site.conf")},
        {"delete_then_new_link",
         "link zl4\n"
         "  segment ce1 state 0x111\n"
         "  segment ce2 state 0x121\n"
         "  tl 02:00:00:00:00:01 ce1\n",
         "link zl4 delete tl 02:00:00:00:00:02 ce2 end\n"
         "zl zl5 seg zwce12 speed 10bt duplex half ; tl 0a:0b:0c:0d:0e:0f zwce12 di end\n"},
        {"same_link_twice", "",
         "zl zl6 fo seg ce0 standby ; tl 02:00:00:0a:0b:0c ce0 end\n"
         "zl zl6 di seg ce1 ; end\n"},
        {"segments_and_entries_read",
         "link zlumi3\n"
         "  mode 0x120\n"
         "  segment ce0 state 0x111\n"
         "  segment ce1 state 0x50111\n"
         "  tl 02:00:00:00:00:01 ce0\n"
         "  tl 02:00:00:00:00:02 ce1\n",
         "zelnar zlumi3 seg ce1 delete ; seg ce2 add standby ; tl 02:00:00:00:00:03 ce2 di end\n"},
    };
}

constexpr int kErrors[] = {EIO, EPERM, ENOSPC};

struct observed {
    in_process_result run;
    std::string err;
};

observed run_with(const scenario& s, const std::string& failures) {
    model::model_device driver(model::parse_state(s.state), model::failure_plan::parse(failures));
    testing::internal::CaptureStderr();
    observed o{run_in_process(s.config, driver), ""};
    o.err = testing::internal::GetCapturedStderr();
    return o;
}

// Where a failure can be injected: the line of the clean run's log that it
// turns into a failure, and the rule that does it without the error.
struct fault_point {
    std::size_t line;
    std::string what;    // "open" or the request's name
    std::string device;  // the link device of the line
    std::string rule;    // "open:zl0" or "ZLIOSSEG:2"
};

std::vector<fault_point> fault_points(const std::vector<model::request_record>& log) {
    std::vector<fault_point> points;
    std::map<std::string, int> occurrences;
    for (std::size_t i = 0; i < log.size(); ++i) {
        const model::request_record& r = log[i];
        if (r.what == model::request_record::kind::close) continue;
        if (r.what == model::request_record::kind::open) {
            // An open rule holds for every open of its device: only the first can fail alone.
            const std::string device = r.who.substr(r.who.rfind('/') + 1);
            if (++occurrences["open " + device] == 1) {
                points.push_back({i, "open", device, "open:" + device});
            }
        } else {
            const std::string name = model::known_request(r.code);
            const int n = ++occurrences[name];
            points.push_back({i, name, r.who, name + ":" + std::to_string(n)});
        }
    }
    return points;
}

model::request_record failed_with(model::request_record r, int error) {
    r.error = error;
    return r;
}

// The lines of standard error that report something, without the state reports.
std::vector<std::string> reports(const std::string& err) {
    std::vector<std::string> lines;
    std::istringstream in(err);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("zlconf", 0) == 0 || line.rfind("Zelnar create failed", 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

// The requests from `from` up to the close of that block, without their results.
std::vector<model::request_record> rest_of_block(const std::vector<model::request_record>& log,
                                                 std::size_t from) {
    std::vector<model::request_record> records;
    for (std::size_t i = from; i < log.size(); ++i) {
        records.push_back(failed_with(log[i], 0));
        if (log[i].what == model::request_record::kind::close) break;
    }
    return records;
}

// One injected failure and what came of it, beside the clean run.
struct injection {
    const fault_point& point;
    int error;
    const observed& clean;
    const observed& faulted;

    const std::vector<model::request_record>& log() const { return faulted.run.log; }
    std::string text() const { return std::strerror(error); }
};

// A failed open or read ends the run there, with its report and status 1.
void expect_run_ended(const injection& i) {
    const std::string prefix =
        i.point.what == "open" ? "zlconf open device" : "zlconf " + i.point.what + " ";
    EXPECT_EQ(i.faulted.run.status, 1);
    EXPECT_EQ(i.log().size(), i.point.line + 1) << "nothing after the failure";
    EXPECT_TRUE(i.faulted.err.ends_with(prefix + ": " + i.text() + '\n')) << i.faulted.err;
    EXPECT_TRUE(i.clean.run.out.starts_with(i.faulted.run.out));
}

// A failed creation is reported, the device closed at once, and the run goes on.
void expect_creation_abandoned(const injection& i) {
    ASSERT_GT(i.log().size(), i.point.line + 1);
    model::request_record close;
    close.what = model::request_record::kind::close;
    close.who = i.point.device;
    EXPECT_EQ(i.log()[i.point.line + 1], close);
    std::vector<std::string> expected = reports(i.clean.err);
    expected.push_back("Zelnar create failed : " + i.text());
    std::vector<std::string> got = reports(i.faulted.err);
    std::ranges::sort(expected);
    std::ranges::sort(got);
    EXPECT_EQ(got, expected) << "the failed creation is reported, and nothing else";
}

// A link that could not be read is taken for a new one, silently.
void expect_fresh_description(const injection& i) {
    ASSERT_GT(i.log().size(), i.point.line + 1);
    const model::request_record& next = i.log()[i.point.line + 1];
    EXPECT_TRUE(next.who == i.point.device && next.code == ZLIOCLINK)
        << "a link that could not be read is committed as a new one";
    EXPECT_EQ(i.faulted.err.find(i.text()), std::string::npos) << "no report of it";
}

// Any other refused request changes nothing in the commit's course, and is
// reported on a line of its own before anything it brings about; but the
// ZLIOSSEG that ends a segment the driver has just removed is not reported.
void expect_commit_went_on(const injection& i) {
    EXPECT_EQ(rest_of_block(i.log(), i.point.line), rest_of_block(i.clean.run.log, i.point.line))
        << "the commit goes on as if the request had succeeded";
    std::vector<std::string> added = reports(i.faulted.err);
    for (const std::string& line : reports(i.clean.err)) {
        const auto found = std::ranges::find(added, line);
        if (found != added.end()) added.erase(found);
    }
    const model::request_record& before = i.log()[i.point.line - 1];
    if (i.point.what == "ZLIOSSEG" && before.code == ZLIODSEG && before.error == 0) {
        EXPECT_THAT(added, testing::IsEmpty()) << "the segment is gone, as the file asked";
        return;
    }
    // A segment that could not be added cannot be set either: later refusals follow.
    ASSERT_FALSE(added.empty()) << i.faulted.err;
    EXPECT_TRUE(added[0].starts_with("zlconf: " + i.point.device + ": " + i.point.what))
        << added[0];
    EXPECT_TRUE(added[0].ends_with(" refused: " + i.text())) << added[0];
    for (const std::string& line : added) EXPECT_NE(line.find(" refused: "), std::string::npos);
}

class RequestFailures : public testing::TestWithParam<scenario> {};

TEST_P(RequestFailures, EachFailureHasItsOutcome) {
    const scenario& s = GetParam();
    const observed clean = run_with(s, "");
    ASSERT_EQ(clean.run.status, 0) << clean.err;
    ASSERT_EQ(request_protocol_violation(clean.run.log), "");
    const std::vector<fault_point> points = fault_points(clean.run.log);
    ASSERT_GT(points.size(), 5U);

    for (const fault_point& point : points) {
        for (const int error : kErrors) {
            const std::string error_name = model::errno_name(error);
            SCOPED_TRACE(point.rule + ":" + error_name);
            const observed faulted = run_with(s, point.rule + ":" + error_name);
            const injection i{point, error, clean, faulted};
            EXPECT_EQ(request_protocol_violation(i.log()), "");
            EXPECT_EQ(run_ending_violation(faulted.run), "");

            // Up to the failure the run is the clean one.
            ASSERT_GT(i.log().size(), point.line);
            EXPECT_TRUE(std::equal(i.log().begin(), i.log().begin() + static_cast<long>(point.line),
                                   clean.run.log.begin()));
            EXPECT_EQ(i.log()[point.line], failed_with(clean.run.log[point.line], error));

            if (point.what == "open" || point.what == "ZLIOGSEG" || point.what == "ZLIOGTL") {
                expect_run_ended(i);
                continue;
            }
            EXPECT_EQ(faulted.run.status, clean.run.status);
            if (point.what == "ZLIOCLINK") {
                expect_creation_abandoned(i);
            } else if (point.what == "ZLIOGLINK") {
                expect_fresh_description(i);
            } else {
                expect_commit_went_on(i);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, RequestFailures, testing::ValuesIn(scenarios()),
                         [](const testing::TestParamInfo<scenario>& p) { return p.param.name; });

}  // namespace

// The refusal lines of a few drivers, one case a row: the ZLIOSSEG that ends a
// segment the driver has just removed is no news whatever the driver answers,
// and every other refusal is, under the link's device name.
TEST(RefusalLines, ReportWhatWentWrongAndNothingElse) {
    struct refusal_case {
        const char* name;
        const char* config;
        const char* failures;
        std::vector<std::string> lines;
    };
    const std::string state =
        "link zl2\n  name agg2\n  segment ce0 state 0x111\n  segment ce1 state 0x111\n";
    const std::vector<refusal_case> cases = {
        {"removed segment, strict driver",
         "zl zl2 seg ce1 delete ; end\n",
         "ZLIOSSEG:removed:ENOENT",
         {}},
        {"deleted link, strict driver", "zl zl2 delete end\n", "ZLIOSSEG:removed:ENOENT", {}},
        {"only the removed segment is spared",
         "zl zl2 seg ce0 delete ; end\n",
         "ZLIOSSEG:*:EIO",
         {"zlconf: zl2: ZLIOSSEG ce1 refused: Input/output error"}},
        {"refused removal and the request after it",
         "zl zl2 seg ce1 delete ; end\n",
         "ZLIODSEG:1:EBUSY,ZLIOSSEG:2:EIO",
         {"zlconf: zl2: ZLIODSEG ce1 refused: Device or resource busy",
          "zlconf: zl2: ZLIOSSEG ce1 refused: Input/output error"}},
        {"refused state after an addition",
         "zl zl2 seg ce2 ; end\n",
         "ZLIOSSEG:3:ENOENT",
         {"zlconf: zl2: ZLIOSSEG ce2 refused: No such file or directory"}},
        {"addition and link requests",
         "zl zl2 seg ce2 ; tl 02:00:00:00:00:0a ce2 end\n",
         "ZLIOASEG:1:EEXIST,ZLIOATL:1:ENOSPC,ZLIOSMODE:1:EPERM",
         {"zlconf: zl2: ZLIOASEG ce2 refused: File exists",
          "zlconf: zl2: ZLIOSSEG ce2 refused: No such file or directory",
          "zlconf: zl2: ZLIOSMODE refused: Operation not permitted",
          "zlconf: zl2: ZLIOATL 02:00:00:00:00:0a refused: No space left on device"}},
    };
    for (const refusal_case& c : cases) {
        SCOPED_TRACE(c.name);
        const observed o = run_with({c.name, state, c.config}, c.failures);
        EXPECT_EQ(o.run.status, 0);
        EXPECT_EQ(reports(o.err), c.lines);
    }
}
