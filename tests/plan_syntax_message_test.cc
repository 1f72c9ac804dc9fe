// Syntax errors in words, and where they point: the parser's report of
// what came, in which context and what could have come. The plan transcripts
// pin the messages and hints themselves.
#include "plan/syntax_message.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "plan/link_changes.h"
#include "plan/source_window.h"
#include "plan/syntax_error_place.h"
#include "recorded_parse.h"

namespace {

using testing::ElementsAre;

TEST(SyntaxMessage, ListsExpectedTokensInReadingOrder) {
    EXPECT_THAT(plan::expected_forms(expected_bit(END) | expected_bit(ADD) | expected_bit(HEX) |
                                     expected_bit(END_OF_INPUT)),
                ElementsAre("add", "a hexadecimal byte", "end", "end of input"));
}

// The plan keeps of its input only the line the lexer stands on; the error's
// line is quoted from that, however much came before it or comes after it.
struct windowed_error {
    plan::source_point at;
    plan::source_window::quote quote;
    std::size_t kept = 0;
    std::int64_t line = 0;
};

windowed_error windowed_error_of(const std::string& text) {
    memory_source bytes(text, 4096);
    plan::source_window source(bytes);
    std::FILE* sink = std::fopen("/dev/null", "w");
    lexer lex(source, sink);
    source.watch(lex);
    plan::syntax_error_place place(source);
    recording_actions actions;
    syntax_error_report report;
    EXPECT_EQ(yyparse(lex, actions, nullptr, report, &place), 1);
    std::fclose(sink);
    return {place.taken()->at, place.taken()->quote, source.kept(), report.line};
}

TEST(SyntaxMessage, QuotesFromAWindowOfTheInput) {
    std::string blocks;
    while (blocks.size() < (1U << 20)) blocks += "zl zl0 seg ce0 ; end ^# comment\n";
    const windowed_error e = windowed_error_of(blocks + "zl zl1 standby end\n" + blocks);
    EXPECT_EQ(e.at.line, e.line);
    EXPECT_EQ(e.at.column, 8);
    EXPECT_EQ(e.quote.text, "zl zl1 standby end");
    EXPECT_LT(e.kept, 256U * 1024) << "the whole input was kept";

    // Of a line too long to quote whole, the end before the token is kept.
    std::string line;
    while (line.size() < 100000) line += "zl zl0 end ";
    const windowed_error long_line = windowed_error_of(line + "zl zl1 trunk\n");
    EXPECT_EQ(long_line.at.column, static_cast<int>(line.size()) + 8);
    EXPECT_EQ(long_line.quote.text.substr(long_line.quote.text.size() - 12), "zl zl1 trunk");
    EXPECT_EQ(long_line.quote.text.substr(static_cast<std::size_t>(long_line.quote.column) - 1),
              "trunk");
}

}  // namespace

namespace {

// A control byte in the quoted line is shown escaped, and the caret still
// stands under the byte its column counts.
TEST(SyntaxMessage, CaretLinesEscapeControlBytes) {
    EXPECT_EQ(plan::caret_lines("zl zl0\r seg\x01 x", 13),
              "zl zl0\\x0d seg\\x01 x\n"
              "                  ^\n");
    EXPECT_EQ(plan::caret_lines("\tzl zl9", 2), "\tzl zl9\n\t^\n");
}

// The change words use the locale's characters: arrows and a minus sign in
// UTF-8, plain ASCII otherwise.
TEST(LinkChanges, ArrowsFollowTheLocale) {
    model::link_state before;
    before.mode = ZLM_DYMXOR;
    before.segments.push_back({"ce0", 100, 2, ZLS_TRUNK});
    model::link_state after;
    after.mode = ZLM_ROUNDROBIN;
    const char* saved = std::getenv("LC_ALL");
    const std::string restore = saved != nullptr ? saved : "";
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(plan::changes_text(plan::link_changes(before, after)),
              "mode dynamic -> roundrobin; - ce0");
    setenv("LC_ALL", "en_GB.UTF-8", 1);
    EXPECT_EQ(plan::changes_text(plan::link_changes(before, after)),
              "mode dynamic \u2192 roundrobin; \u2212 ce0");
    EXPECT_EQ(
        plan::changes_text({}, {"creates and deletes zl1", "deletes and re-adds ce0"}),
        "no change in the end; creates and deletes zl1 and deletes and re-adds ce0 on the way");
    if (saved != nullptr) {
        setenv("LC_ALL", restore.c_str(), 1);
    } else {
        unsetenv("LC_ALL");
    }
}

}  // namespace
