#include "config/lexer.h"
#include "config/word_tokens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recorded_parse.h"
#include "reference_scan.h"

namespace {

struct scan_result {
    std::string tokens;  // "NAME" or "NAME(value)", joined by blanks
    std::string echoed;
    std::int64_t lines = 0;
    int failure_status = -1;  // the status of a run_failure, or -1
    bool operator==(const scan_result&) const = default;
};

std::string describe(int tok, const token_value& value) {
    switch (tok) {
        case LINKNAME:
        case INTERFACENAME: return std::string(token_name(tok)) + "(" + value.text + ")";
        case HEX: return "HEX(" + std::to_string(value.number) + ")";
        default: return token_name(tok);
    }
}

// Scans the whole input, handing it to the lexer `piece` bytes at a time.
scan_result scan(const std::string& input, std::size_t piece = 1 << 20) {
    recorded_parse p(input, piece);
    scan_result result;
    try {
        for (int tok; (tok = p.lex.yylex()) != END_OF_INPUT;) {
            if (!result.tokens.empty()) result.tokens += ' ';
            result.tokens += describe(tok, p.lex.yylval());
        }
        EXPECT_EQ(p.lex.yylex(), END_OF_INPUT) << "the end is reported again";
    } catch (const run_failure& failure) {
        // As the entry point does: the message goes where the lexer echoes.
        EXPECT_EQ(failure.stream(), p.out.file());
        std::fputs(failure.message(), failure.stream());
        result.failure_status = failure.status();
    }
    result.echoed = p.out.text();
    result.lines = p.lineno;
    return result;
}

struct lexer_case {
    const char* input;
    const char* tokens;
    const char* echoed;
};

void PrintTo(const lexer_case& c, std::ostream* os) {
    *os << testing::PrintToString(c.input);
}

class LexerCases : public testing::TestWithParam<lexer_case> {};

TEST_P(LexerCases, TokensAndEcho) {
    const lexer_case& c = GetParam();
    const scan_result whole = scan(c.input);
    EXPECT_EQ(whole.tokens, c.tokens) << "input: " << c.input;
    EXPECT_EQ(whole.echoed, c.echoed) << "input: " << c.input;
    // Byte by byte from the source, every look-ahead crosses a refill.
    EXPECT_EQ(scan(c.input, 1), whole);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LexerCases,
    testing::Values(
        lexer_case{"ce ", "HEX(206)", ""},
        lexer_case{"ce0 cea ce10", "INTERFACENAME(ce0) INTERFACENAME(cea) INTERFACENAME(ce10)", ""},
        lexer_case{"ce100 ", "INTERFACENAME(ce10)", "0"}, lexer_case{"ceg", "HEX(206)", "g"},
        lexer_case{"kce7 tcef zce99 zme0 zre5 zwce12 zwre3",
                   "INTERFACENAME(kce7) INTERFACENAME(tcef) INTERFACENAME(zce99) "
                   "INTERFACENAME(zme0) INTERFACENAME(zre5) INTERFACENAME(zwce12) "
                   "INTERFACENAME(zwre3)",
                   ""},
        lexer_case{"zl0 zl8 zlumi0 zlumi8",
                   "LINKNAME(zl0) LINKNAME(zl8) LINKNAME(zlumi0) LINKNAME(zlumi8)", ""},
        lexer_case{"zl9 ", "ZELNAR", "9"}, lexer_case{"zlumix", "ZELNAR", "umix"},
        lexer_case{"zlumi", "ZELNAR", "umi"}, lexer_case{"zelnar0", "ZELNAR", "0"},
        lexer_case{"zwce", "HEX(206)", "zw"},
        lexer_case{"link linked", "ZELNAR ZELNAR HEX(237)", ""}, lexer_case{"cE0", "", "cE0"}));

INSTANTIATE_TEST_SUITE_P(
    Keywords, LexerCases,
    testing::Values(
        lexer_case{"dstroute xor dynamic dym fallover fo roundrobin rr spillover so",
                   "DSTROUTE DSTROUTE DYMXOR DYMXOR FALLOVER FALLOVER ROUNDROBIN ROUNDROBIN "
                   "SPILLOVER SPILLOVER",
                   ""},
        lexer_case{"dumpinfo di add open delete del close sameaddr diffaddr tablelookup tl",
                   "DUMPINFO DUMPINFO ADD ADD DELETE DELETE DELETE SAMEADDR DIFFADDR TBLLOOKUP "
                   "TBLLOOKUP",
                   ""},
        lexer_case{
            "standby speed duplex 100bt 10bt auto half full trunk zelnar zl link segment seg end ;",
            "STANDBY SPEED DUPLEX S100BT S10BT SAUTO HALFDUX FULLDUX TRUNK ZELNAR ZELNAR "
            "ZELNAR SEGMENT SEGMENT END END",
            ""},
        lexer_case{"dymxor", "DYMXOR DSTROUTE", ""}, lexer_case{"dele", "DELETE", "e"},
        lexer_case{"speeds", "SPEED", "s"}, lexer_case{"fall", "HEX(250)", "ll"},
        lexer_case{"segments", "SEGMENT", "s"},
        lexer_case{"ad de dd", "HEX(173) HEX(222) HEX(221)", ""},
        lexer_case{"tl08", "TBLLOOKUP HEX(8)", ""}, lexer_case{"end;", "END END", ""},
        lexer_case{"END Segment", "", "ENDSegment"}, lexer_case{"Add", "HEX(221)", "A"},
        lexer_case{"standb", "HEX(219)", "stan"}));

INSTANTIATE_TEST_SUITE_P(
    NumbersAndPunctuation, LexerCases,
    testing::Values(lexer_case{"10 100", "HEX(16) HEX(16)", "0"},
                    lexer_case{"100bt 10bt", "S100BT S10BT", ""},
                    lexer_case{"8:0:1", "COLON COLON", "801"},
                    lexer_case{"02:00:ff", "HEX(2) COLON HEX(0) COLON HEX(255)", ""},
                    lexer_case{"0A", "", "0A"}, lexer_case{"a,b.c\r", "", "a,b.c\r"},
                    lexer_case{"\xc3\xa9 ce1", "INTERFACENAME(ce1)", "\xc3\xa9"}));

INSTANTIATE_TEST_SUITE_P(Comments, LexerCases,
                         testing::Values(lexer_case{"end ^# ce0 end\nend", "END END", ""},
                                         lexer_case{"^#\nend", "END", ""},
                                         lexer_case{"# text", "", "#text"},
                                         lexer_case{"^#abc", "HEX(171)", "^#c"},
                                         lexer_case{"^#ab\rc\r\nend\r\n", "END", "\r"},
                                         lexer_case{"^^#x\n", "", "^"}));

TEST(Lexer, LineOfEachTokenIsTheLineItStandsOn) {
    recorded_parse p("zl zl0\n\n  seg\n^# note\nce1 end");
    std::vector<std::int64_t> lines;
    while (p.lex.yylex() != END_OF_INPUT) lines.push_back(p.lineno);
    EXPECT_EQ(lines, (std::vector<std::int64_t>{1, 1, 3, 5, 5}));
}

TEST(Lexer, NulByteEndsTheInput) {
    for (const std::size_t piece : {std::size_t{1} << 20, std::size_t{1}}) {
        const std::string input("ce1\0 ce2 end end end end end end", 32);
        const scan_result r = scan(input, piece);
        EXPECT_EQ(r.tokens, "INTERFACENAME(ce1)");
        EXPECT_EQ(r.echoed, "");
        EXPECT_EQ(scan(std::string("^#x\0\n", 5), piece).echoed, "^#x");
    }
}

std::string limit_message() {
    return "Input string too long, limit 2048\n";
}

// The limit holds wherever the input's reads happen to end: in the buffer
// (whole), with a refill inside the run (1000), at every byte (1).
constexpr std::size_t kReadSizes[] = {std::size_t{1} << 20, 1000, 1};

TEST(Lexer, BlankRunsUpToTheLimit) {
    for (const std::size_t piece : kReadSizes) {
        for (const char blank : {' ', '\t'}) {
            const scan_result ok = scan("di\n" + std::string(2047, blank) + "end", piece);
            EXPECT_EQ(ok.tokens, "DUMPINFO END") << piece;
            EXPECT_EQ(ok.failure_status, -1) << piece;

            for (const std::string& after : {std::string("end"), std::string()}) {
                const scan_result over = scan("di\n" + std::string(2048, blank) + after, piece);
                EXPECT_EQ(over.tokens, "DUMPINFO") << piece;
                EXPECT_EQ(over.failure_status, 1) << piece;
                EXPECT_EQ(over.echoed, limit_message()) << piece;
                EXPECT_EQ(over.lines, 2) << "the run's line, however it was read: " << piece;
            }
        }
        // Runs split by a newline are separate scans.
        EXPECT_EQ(
            scan(std::string(2047, ' ') + "\n" + std::string(2047, ' ') + "end", piece).tokens,
            "END");
    }
}

TEST(Lexer, CommentsUpToTheLimit) {
    const std::string body2045(2045, 'x');  // "^#" and 2045 characters: 2047
    for (const std::size_t piece : kReadSizes) {
        EXPECT_EQ(scan("^#" + body2045 + "\nend", piece).tokens, "END") << piece;
        EXPECT_EQ(scan("^#" + body2045 + "x\nend", piece).echoed, limit_message()) << piece;
        EXPECT_EQ(scan("^#" + body2045 + "x", piece).echoed, limit_message()) << piece;
        // Unterminated and short enough: scanned again as ordinary text.
        const scan_result echoed = scan("^#" + body2045, piece);
        EXPECT_EQ(echoed.failure_status, -1) << piece;
        EXPECT_EQ(echoed.echoed, "^#" + body2045) << piece;
    }
}

}  // namespace

namespace {

// Text built from pieces that exercise every rule and the places where rules
// break off: whole and partial keywords, names, bytes, junk, comments.
// With `long_runs`, now and then a run or comment near the length limit.
std::string random_text(unsigned seed, std::size_t length, bool long_runs = true) {
    // The pieces, separated by '|'.
    static const std::vector<std::string> kPieces = split_pieces(
        "zl|zl0|zlumi8|zlumi|zelnar|link|seg|segment|segments|end|;|:|tl|tablelookup|02:00:0a:0b:"
        "0c:0d|ce0|ce10|ce100|kcef|zwce12|zwre|speed|100bt|10bt|auto|duplex|half|full|dym|dymxor|"
        "dele|del|delete|add|open|close|standby|standb|trunk|sameaddr|diffaddr|rr|fo|so|xor|di|"
        "dumpinfo|ad|ff|Add|END|#|^|^#|^# note\n|\r|\x01"
        "|\xff"
        "| |  |\t|\n|\n\n|abcdefabcdef0123|zzzzzzzzzzzzzzzzzzzz|tablelookupx|roundrobin1|zwre99|"
        "zwce1f|cea0|100bt9|zlumi9");
    std::string text;
    unsigned state = seed * 2654435761U + 1;
    while (text.size() < length) {
        state = state * 1103515245U + 12345U;
        text += kPieces[(state >> 8) % kPieces.size()];
        if ((state >> 20) % 3 == 0) text += ' ';
        if (long_runs && (state >> 22) % 256 == 0) text += long_run(state >> 11);
    }
    return text;
}

// The lexer must find what the rules read as written find, and find the same
// whether the whole input is at hand or it comes a byte at a time, so that
// every word and comment crosses a refill.
TEST(Lexer, AgreesWithTheRulesAsWrittenInPiecesOfAnySize) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        const std::string text = random_text(seed, 2000);
        const scan_result whole = scan(text);
        const reference_result expected = reference_scan(text);
        if (whole.failure_status == -1) {
            ASSERT_EQ(whole.tokens, expected.tokens) << "seed " << seed;
            ASSERT_EQ(whole.echoed, expected.echoed) << "seed " << seed;
            ASSERT_EQ(whole.lines, expected.lines) << "seed " << seed;
        } else {
            // The rules as written know no limit: up to it, the tokens agree.
            ASSERT_TRUE(expected.tokens.starts_with(whole.tokens)) << "seed " << seed;
        }
        ASSERT_EQ(whole, scan(text, 1)) << "seed " << seed;
        ASSERT_EQ(whole, scan(text, 17)) << "seed " << seed;
    }
    // Long runs across the end of the lexer's 64 KiB buffer, where even the
    // whole scan must refill in the middle of the run.
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::string text = random_text(seed, 60000, false);
        text.resize(65536 - 2050 + seed * 337 % 2100, '\n');
        text += long_run(seed * 2654435761U) + random_text(seed, 300, false);
        const scan_result whole = scan(text);
        ASSERT_EQ(whole, scan(text, 1)) << "seed " << seed;
        ASSERT_EQ(whole, scan(text, 17)) << "seed " << seed;
    }
}

}  // namespace

// A word held in memory is cut as the lexer cuts a file, and a word that has
// no whole reading (a NUL, a scan past the limit) says so rather than being
// cut short.
TEST(WordTokens, CutAsTheLexerCutsAFile) {
    const auto cut = tokens_of("rr;zl0 #x\nce1x 0a:");
    ASSERT_TRUE(cut.has_value());
    std::vector<std::string> seen;
    for (const word_token& t : *cut) {
        seen.push_back(std::string(token_name(t.token)) + "@" + std::to_string(t.offset) + "+" +
                       std::to_string(t.length));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"ROUNDROBIN@0+2", "END@2+1", "LINKNAME@3+3",
                                              "INTERFACENAME@10+3", "HEX@15+2", "COLON@17+1"}));

    EXPECT_FALSE(tokens_of(std::string("ce0\0ce1", 7)).has_value());
    EXPECT_FALSE(tokens_of(std::string(lexer::kScanLimit + 1, ' ')).has_value());
    EXPECT_TRUE(tokens_of(std::string(lexer::kScanLimit - 1, ' ')).has_value());

    EXPECT_TRUE(reads_as("zwre42", INTERFACENAME));
    EXPECT_TRUE(reads_as("zlumi8", LINKNAME));
    EXPECT_FALSE(reads_as("zlumi9", LINKNAME));
    EXPECT_FALSE(reads_as("ce0 ", INTERFACENAME));
    EXPECT_FALSE(reads_as("ce0", LINKNAME));
}
