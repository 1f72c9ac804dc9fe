// zlplan in-process against the stand-in driver: it reads the driver only, its
// requests are those zlconf sends for the same file and driver, and it says
// where a run would stop.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "config/lexer.h"
#include "config/parser.h"
#include "globals.h"
#include "link/description.h"
#include "plan/plan_run.h"
#include "plan/source_text.h"
#include "run_failure.h"
#include "standin/log_lines.h"
#include "standin/model_device.h"
#include "standin/state_file.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;

bool is_read_or_open(const std::string& line) {
    return line.starts_with("open ") || line.starts_with("close ") ||
           line.find(" ZLIOGLINK") != std::string::npos ||
           line.find(" ZLIOGSEG ") != std::string::npos ||
           line.find(" ZLIOGTL ") != std::string::npos;
}

// The requests that change the driver, as the stand-in logs them, without results.
std::vector<std::string> changing_requests(const std::vector<std::string>& log) {
    std::vector<std::string> requests;
    for (const std::string& line : log) {
        if (!is_read_or_open(line)) requests.push_back(line.substr(0, line.rfind(" -> ")));
    }
    return requests;
}

std::vector<std::string> planned_requests(const plan::whole_plan& p) {
    std::vector<std::string> requests;
    for (const plan::link_plan& link : p.links) {
        for (const plan::recorded_request& r : link.requests) {
            const std::string line = standin::request_line(link.device, r.code, &r.fields, 0);
            requests.push_back(line.substr(0, line.rfind(" -> ")));
        }
    }
    return requests;
}

// zlconf's own run of the text, on its own driver.
std::vector<std::string> zlconf_log(const std::string& text, const std::string& state) {
    standin::model_device driver(standin::parse_state(state));
    use_device(driver);
    plan::source_bytes bytes(text);
    std::FILE* sink = std::fopen("/dev/null", "w");
    lexer lex(bytes, sink);
    zl = nullptr;
    lineno = 1;
    try {
        yyparse(lex, zlconf_actions(), sink);
    } catch (const run_failure&) {
    }
    std::fclose(sink);
    if (zl != nullptr) release_link_description();
    linkfp = 0;
    use_device(system_device());
    return driver.log_lines();
}

constexpr const char* kTwoLinks = R"(
link zl2
  mode 0x00000121
  segment ce0 speed 100 duplex 2 state 0x00050111
  segment ce1 speed 100 duplex 2 state 0x00000121
  tl 02:00:00:0a:0b:0c ce0
link zl4
  mode 0x00000101
  segment zme10 speed 10 duplex 1 state 0x000a0111
)";

constexpr const char* kEveryStatement = R"(zl zl2
  di rr seg ce1 trunk diffaddr speed 10bt duplex half ; seg ce0 delete ;
  seg kce7 standby speed auto ; tl 00:1b:21:ff:00:01 kce7 di
end
zl zl4 xor delete seg zme10 add ; seg tcea ; end
zl zl5 so seg ce0 ; seg ce0 del ; end
zl zl4 dym fo di end
)";

TEST(Plan, SendsOnlyReadsAndPlansWhatZlconfSends) {
    standin::model_device driver(standin::parse_state(kTwoLinks));
    const plan::whole_plan p = plan::make_plan("f", kEveryStatement, driver);

    EXPECT_EQ(p.status(), 0);
    for (const std::string& line : driver.log_lines()) {
        EXPECT_TRUE(is_read_or_open(line)) << line;
    }
    EXPECT_EQ(driver.state(), standin::parse_state(kTwoLinks));
    const std::vector<std::string> sent = changing_requests(zlconf_log(kEveryStatement, kTwoLinks));
    EXPECT_FALSE(sent.empty());
    EXPECT_EQ(planned_requests(p), sent);
}

TEST(Plan, ALinkSeenAgainIsReadAsTheBlocksBeforeLeaveIt) {
    standin::model_device driver(standin::parse_state(kTwoLinks));
    const plan::whole_plan p = plan::make_plan("f", kEveryStatement, driver);

    ASSERT_EQ(p.links.size(), 4U);
    const plan::link_plan& again = p.links[3];
    EXPECT_TRUE(again.predicted);
    EXPECT_FALSE(again.found);  // the second block deleted it
    EXPECT_EQ(again.read.mode, kNewLinkMode);
    EXPECT_TRUE(p.links[1].committed);
    EXPECT_FALSE(p.links[1].after.has_value());
    // zl2's first block: ce0 is removed, kce7 added, the entry sent once.
    ASSERT_TRUE(p.links[0].after.has_value());
    const standin::link_state& zl2 = *p.links[0].after;
    ASSERT_EQ(zl2.segments.size(), 2U);
    EXPECT_EQ(zl2.segments[0].name, "ce1");
    // Words are sent whole, the bits that say the driver has them included.
    EXPECT_EQ(zl2.segments[0].state,
              ZLS_EXISTS | ZLS_TRUNK | ZLS_DIFFADDR | ZLS_HALFDUX | ZLS_10BT);
    EXPECT_EQ(zl2.segments[1].name, "kce7");
    EXPECT_EQ(zl2.entries.size(), 2U);
    EXPECT_EQ(zl2.mode, ZLM_EXISTS | ZLM_ROUNDROBIN | ZLM_TBLLOOKUP);
}

TEST(Plan, DumpinfoIsKeptWhereItStands) {
    standin::model_device driver(standin::parse_state(kTwoLinks));
    const plan::whole_plan p = plan::make_plan("f", kEveryStatement, driver);

    ASSERT_EQ(p.links[0].dumpinfos.size(), 2U);
    EXPECT_EQ(p.links[0].dumpinfos[0].at.line, 2);
    EXPECT_EQ(plan::dumpinfo_text(p.links[0].dumpinfos[0].link),
              "Zelnar zl2   mode 0x00000121\n"
              "  Segment ce0 speed 100 duplex 2 state 0x00050111\n"
              "  Segment ce1 speed 100 duplex 2 state 0x00000121\n"
              "Table Lookup addresses\n"
              "  02:00:00:0a:0b:0c\tLink ce0\n");
    EXPECT_EQ(p.links[0].dumpinfos[1].at.line, 3);
    EXPECT_EQ(p.links[0].dumpinfos[1].link.mode, 0x10011U);
    EXPECT_EQ(p.links[0].dumpinfos[1].link.segments.at(2).name, "kce7");
}

TEST(Plan, AFailedReadNamesTheLinkAndTheRequest) {
    standin::model_device driver(standin::parse_state(kTwoLinks),
                                 standin::failure_plan::parse("ZLIOGSEG:2:EIO"));
    const plan::whole_plan p = plan::make_plan("f", "zl zl5 end\n\nzl  zl2 end zl zl4 end", driver);

    EXPECT_EQ(p.outcome, plan::outcome::read_failure);
    EXPECT_EQ(p.status(), 1);
    ASSERT_TRUE(p.failure.has_value());
    EXPECT_EQ(p.failure->device, "zl2");
    EXPECT_EQ(p.failure->code, ZLIOGSEG);
    EXPECT_EQ(p.failure->ordinal, 2U);
    EXPECT_EQ(p.zlconf_message, "zlconf ZLIOGSEG : Input/output error");
    ASSERT_TRUE(p.stop.has_value());
    EXPECT_EQ(p.stop->line, 3);
    EXPECT_EQ(p.stop->column, 5);
    EXPECT_EQ(p.links.size(), 2U);  // zl4 is never reached
}

TEST(Plan, AnOpenThatFailsNamesTheDevice) {
    standin::model_device driver({}, standin::failure_plan::parse("open:zl1:EACCES"));
    const plan::whole_plan p = plan::make_plan("f", "zl zl1 end", driver);

    ASSERT_TRUE(p.failure.has_value());
    EXPECT_EQ(p.failure->code, 0U);
    EXPECT_EQ(p.failure->device, "zl1");
    EXPECT_FALSE(p.links.at(0).read_done);
}

TEST(Plan, ASyntaxErrorLeavesTheBlocksBeforeItCommitted) {
    standin::model_device driver;
    const plan::whole_plan p =
        plan::make_plan("f", "zl zl0 ; \nzl zl1\n\tseg ce0 ;\n\tstandby\nend\n", driver);

    EXPECT_EQ(p.outcome, plan::outcome::syntax_error);
    ASSERT_TRUE(p.syntax.has_value());
    EXPECT_EQ(p.syntax->at.line, 4);
    EXPECT_EQ(p.syntax->at.column, 2);
    EXPECT_EQ(p.syntax->source_line, "\tstandby");
    EXPECT_EQ(p.syntax->zlconf_says, "*** \\t Syntax error line 4");
    ASSERT_EQ(p.links.size(), 2U);
    EXPECT_TRUE(p.links[0].committed);
    EXPECT_FALSE(p.links[1].committed);
    EXPECT_TRUE(p.links[1].read_done);
    EXPECT_TRUE(p.links[1].requests.empty());
}

TEST(Plan, CharactersThatFormNoTokenAreFoundWhereTheyStand) {
    standin::model_device driver;
    const plan::whole_plan p =
        plan::make_plan("f", "zl zl0 seg ce100 ;\n  END Seg end ^#e\n", driver);

    EXPECT_EQ(p.status(), 0);
    ASSERT_EQ(p.ignored.size(), 3U);
    EXPECT_EQ(p.ignored[0].line, 1);
    EXPECT_EQ(p.ignored[0].column, 16);
    EXPECT_EQ(p.ignored[0].text, "0");
    EXPECT_EQ(p.ignored[1].line, 2);
    EXPECT_EQ(p.ignored[1].column, 3);
    EXPECT_EQ(p.ignored[1].text, "END");
    EXPECT_EQ(p.ignored[2].column, 7);
    EXPECT_EQ(p.ignored[2].text, "Seg");
}

TEST(Plan, AScanPastTheLimitStopsTheRun) {
    standin::model_device driver;
    const plan::whole_plan p =
        plan::make_plan("f", "zl zl0 end\nzl zl1" + std::string(2048, ' ') + "end\n", driver);

    EXPECT_EQ(p.outcome, plan::outcome::too_long);
    EXPECT_EQ(p.zlconf_message, "Input string too long, limit 2048");
    EXPECT_EQ(p.stop->line, 2);
    EXPECT_TRUE(p.links[0].committed);
}

}  // namespace
