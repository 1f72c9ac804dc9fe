// Syntax errors in words, and where they point: the parser's report of
// what came, in which context and what could have come.
#include "plan/syntax_message.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/lexer.h"
#include "globals.h"
#include "memory_source.h"
#include "plan/source_text.h"
#include "recording_actions.h"

namespace {

using testing::ElementsAre;

syntax_error_report error_of(const std::string& text) {
    memory_source source(text);
    std::FILE* sink = std::fopen("/dev/null", "w");
    lexer lex(source, sink);
    recording_actions actions;
    syntax_error_report report;
    lineno = 1;
    EXPECT_EQ(yyparse(lex, actions, sink, report), 1) << text;
    std::fclose(sink);
    return report;
}

TEST(SyntaxMessage, SaysWhatCameWhereAndWhatCould) {
    EXPECT_EQ(plan::syntax_message(error_of("zl zl0\n  standby\nend\n")),
              "unexpected 'standby' in a link block; expected one of: add, delete, dstroute, "
              "dynamic, fallover, roundrobin, spillover, tablelookup, dumpinfo, segment, end");
    EXPECT_EQ(plan::syntax_message(error_of("zl zl0 seg ce0 speed half")),
              "unexpected 'half' after 'speed'; expected one of: auto, 100bt, 10bt");
    EXPECT_EQ(plan::syntax_message(error_of("zl ce0")),
              "unexpected 'ce0' after a link block's keyword; expected a link name");
    EXPECT_EQ(plan::syntax_message(error_of("zl zl0 seg ce0")),
              "unexpected end of input in a segment block; expected one of: add, delete, "
              "sameaddr, diffaddr, standby, trunk, speed, duplex, end");
    EXPECT_EQ(plan::syntax_message(error_of("zl zl0 tl 02:00 end")),
              "unexpected 'end' in a table-lookup address; expected ':'");
    EXPECT_EQ(plan::syntax_message(error_of("zl zl0 end ce1")),
              "unexpected 'ce1' between link blocks; expected one of: zelnar, end of input");
}

TEST(SyntaxMessage, HintsAtAStatementOnTheWrongLevel) {
    EXPECT_THAT(plan::syntax_hint(error_of("zl zl0 trunk end")),
                testing::HasSubstr("'trunk' is a segment statement"));
    EXPECT_THAT(plan::syntax_hint(error_of("zl zl0 seg ce0 dumpinfo end")),
                testing::HasSubstr("'dumpinfo' is a link statement"));
    EXPECT_EQ(plan::syntax_hint(error_of("zl zl0 seg ce0 speed half")), "");
}

TEST(SyntaxMessage, ListsExpectedTokensInReadingOrder) {
    EXPECT_THAT(plan::expected_forms(expected_bit(END) | expected_bit(ADD) | expected_bit(HEX) |
                                     expected_bit(END_OF_INPUT)),
                ElementsAre("add", "a hexadecimal byte", "end", "end of input"));
}

TEST(SyntaxMessage, PointsAtTheLineAndColumnOfTheToken) {
    const std::string text = "zl zl0 ;\r\nzl zl1\n\t seg ce0 ;\n\tfo ce1\n";
    const syntax_error_report report = error_of(text);
    const plan::source_text source(text);
    const plan::source_point at = source.point_at(report.offset);
    EXPECT_EQ(at.line, report.line);
    EXPECT_EQ(at.line, 4);
    EXPECT_EQ(at.column, 5);
    EXPECT_EQ(plan::caret_lines(source.line(at.line), at.column), "\tfo ce1\n\t   ^\n");
    EXPECT_EQ(source.line(1), "zl zl0 ;");
}

TEST(SyntaxMessage, AtTheEndOfInputPointsAfterTheLastNewline) {
    const std::string text = "zl zl0\n\n";
    const syntax_error_report report = error_of(text);
    const plan::source_point at = plan::source_text(text).point_at(report.offset);
    EXPECT_EQ(at.line, report.line);
    EXPECT_EQ(at.line, 3);
    EXPECT_EQ(at.column, 1);
}

}  // namespace
