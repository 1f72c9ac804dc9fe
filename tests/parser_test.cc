#include "config/parser.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "recorded_parse.h"

namespace {

std::string syntax_error(int line) {
    return "*** \t Syntax error line " + std::to_string(line) + "\n";
}

// The operations called, in order, as one line.
std::string calls_of(const std::vector<std::string>& calls) {
    std::string line;
    for (const std::string& call : calls) line += (line.empty() ? "" : ", ") + call;
    return line;
}

TEST(Parser, WorkedExampleCallsEveryOperationInOrder) {
    const parse_outcome r = parse_recorded(
        "zelnar zlumi0\n"
        "roundrobin\n"
        "segment ce0\n"
        "speed 100bt\n"
        "duplex full\n"
        "end\n"
        "seg ce1 standby ;\n"
        "tl 02:00:00:0a:0b:0c ce1\n"
        "dumpinfo\n"
        "end\n"
        "zl zl1 end\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.diagnostics, "");
    EXPECT_EQ(calls_of(r.calls),
              "create_link, set_linkname zlumi0, link_opt_roundrobin, create_segment, "
              "segment_interfacename ce0, seg_opt_100bt, seg_opt_fulldux, close_segment, "
              "create_segment, segment_interfacename ce1, seg_opt_standby, close_segment, "
              "link_opt_tablelookup_address 2 0 0 10 11 12, link_opt_tablelookup_interfacename "
              "ce1, link_opt_dumpinfo, close_link, create_link, set_linkname zl1, close_link");
}

TEST(Parser, EveryStatementReachesItsOperation) {
    const parse_outcome r = parse_recorded(
        "link zl2 add delete xor dym fo rr so di\n"
        "seg zce9 open close sameaddr diffaddr standby trunk speed auto speed 100bt speed 10bt\n"
        "  duplex half duplex full end end");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(calls_of(r.calls),
              "create_link, set_linkname zl2, link_opt_add, link_opt_delete, link_opt_dstroute, "
              "link_opt_dymxor, link_opt_fallover, link_opt_roundrobin, link_opt_spillover, "
              "link_opt_dumpinfo, create_segment, segment_interfacename zce9, seg_opt_add, "
              "seg_opt_delete, seg_opt_sameaddr, seg_opt_diffaddr, seg_opt_standby, "
              "seg_opt_trunk, seg_opt_auto, seg_opt_100bt, seg_opt_10bt, seg_opt_halfdux, "
              "seg_opt_fulldux, close_segment, close_link");
}

// Whether the address is read at once or token by token (one byte at a time).
TEST(Parser, TableLookupStatementsFollowOneAnother) {
    for (const std::size_t piece : {std::size_t{1} << 20, std::size_t{1}}) {
        const parse_outcome r = parse_recorded(
            "zl zl0 tl 01:02:03:04:05:06 ce1 tl 0a:0b:0c:0d:0e:0f ce2\n"
            "tablelookup 01:02:03:04:05:06 ce1 end\n"
            "zl zl1 tl ff:ff:ff:ff:ff:ff zwce99 end\n",
            piece);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.diagnostics, "");
        EXPECT_EQ(calls_of(r.calls),
                  "create_link, set_linkname zl0, link_opt_tablelookup_address 1 2 3 4 5 6, "
                  "link_opt_tablelookup_interfacename ce1, link_opt_tablelookup_address 10 11 12 "
                  "13 14 15, link_opt_tablelookup_interfacename ce2, link_opt_tablelookup_address "
                  "1 2 3 4 5 6, link_opt_tablelookup_interfacename ce1, close_link, create_link, "
                  "set_linkname zl1, link_opt_tablelookup_address 255 255 255 255 255 255, "
                  "link_opt_tablelookup_interfacename zwce99, close_link");
    }
}

// Each operation runs as soon as its last token is read: the source, handing
// out one byte at a time, shows how far the lexer had read at each call.
TEST(Parser, EachActionRunsBeforeTheNextTokenIsRead) {
    //                           1         2         3         4         5
    //                 0123456789012345678901234567890123456789012345678901234567
    const std::string input = "zl zl0 tl 01:02:03:04:05:06 ce1 seg ce2 speed auto end end zl";
    recorded_parse p(input, 1);
    std::vector<std::size_t> read_at;
    p.actions.on_call = [&](const std::string&) { read_at.push_back(p.source.consumed()); };
    p.parse();
    // "zl", "ce1", "ce2" and "seg" could grow, so one character more is read
    // before their operation runs; "zl0", "06", "auto" and "end" cannot.
    EXPECT_EQ(read_at, (std::vector<std::size_t>{3, 6, 27, 32, 36, 40, 50, 54, 58, 61}));
}

struct error_case {
    const char* input;
    std::string calls;  // as calls_of() writes them
    int line;
};

// Empty inputs end at their last line; after an error, no operation runs.
// zlplan's transcripts show more places of errors, with what came before them.
TEST(Parser, OneErrorLineAndNoOperationAfterIt) {
    constexpr const char* kZl0 = "create_link, set_linkname zl0";
    const std::string in_segment =
        std::string(kZl0) + ", create_segment, segment_interfacename ce0";
    const std::vector<error_case> cases{
        {"", "", 1},
        {"  \t ", "", 1},
        {"\n\n\n", "", 4},
        {"^# only a comment\n", "", 2},
        {"end", "", 1},
        {"zl\nend", "create_link", 2},
        {"zl zl0\n standby end\nzl zl1 end\nzl zl2 end", kZl0, 2},
        {"zl zl0 end\n\nseg", "create_link, set_linkname zl0, close_link", 3},
        // "10bt" is one token, so the address has five bytes.
        {"zl zl0 tl 01:02:03:04:05:10bt ce1 end", kZl0, 1},
        {"zl zl0\ntl 01:02:03:04:05:06\nend",
         "create_link, set_linkname zl0, "
         "link_opt_tablelookup_address 1 2 3 4 5 6",
         3},
        {"zl zl0 tl 01 02", kZl0, 1},
        {"zl zl0 seg ce0 end\n", in_segment + ", close_segment", 2},
        {"zl zl0 seg ce0 speed half end end", in_segment, 1},
        {"zl zl0 seg ce0 seg ce1 end end end", in_segment, 1},
        {"zl zl0 seg ce0 tl", in_segment, 1},
        {"zl zl0 seg zl1 end end", "create_link, set_linkname zl0, create_segment", 1}};
    for (const error_case& c : cases) {
        const parse_outcome r = parse_recorded(c.input);
        EXPECT_EQ(r.status, 1) << c.input;
        EXPECT_EQ(calls_of(r.calls), c.calls) << c.input;
        EXPECT_EQ(r.diagnostics, syntax_error(c.line)) << c.input;
    }
}

TEST(Parser, SkippedInputIsStillEchoedAndCounted) {
    const parse_outcome r = parse_recorded("zl zl0 end trunk\nMORE\nzl zl1 end\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(calls_of(r.calls), "create_link, set_linkname zl0, close_link");
    EXPECT_EQ(r.echoed, "MORE");
    EXPECT_EQ(r.diagnostics, syntax_error(1));
    EXPECT_EQ(r.lines, 4);
}

// Lines are counted in 64 bits: an input of more than 2^31 lines (here, one
// that starts counting just short of it) still names the right line.
TEST(Parser, ErrorLineBeyondTwoToTheThirtyFirst) {
    recorded_parse p("\n\nend");
    p.lineno = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(p.parse(), 1);
    EXPECT_EQ(p.diagnostics.text(), "*** \t Syntax error line 2147483649\n");
}

TEST(Parser, LengthLimitStillHoldsWhileSkipping) {
    const parse_outcome r = parse_recorded("zl end\n" + std::string(3000, ' ') + "end");
    EXPECT_EQ(r.status, -1) << "the over-long run ended nothing";
    EXPECT_EQ(r.diagnostics, syntax_error(1));
}

}  // namespace

namespace {

// Statements, whole and broken, with addresses of every near-valid form.
std::string random_configuration(unsigned seed) {
    // The pieces, separated by '|'.
    static const std::vector<std::string> kPieces = split_pieces(
        "zl zl0 |zl zl1\n|end\n|; |seg ce1 |seg kce12 standby ; |rr |di |tl 01:02:03:04:05:06 "
        "ce1\n|tl 0a:0b:0c:0d:0e:0f ce2 |tl 01:02:03:04:05:10bt |tl 01:02:03:04:05:06ce1 |tl "
        "01:02:03:04:05:0 ce1 |tl 01:02:03:04:05 ce1 |tl   ff:ff:ff:ff:ff:ff\tzwce99\n|tl 01 : 02 "
        ": 03 : 04 : 05 : 06 ce3 |tl 0A:0b:0c:0d:0e:0f |tl 01:02:03:04:05:06:07 ce1 "
        "|tl\n01:02:03:04:05:06 ce1 |speed auto |^# c\n|X");
    std::string text;
    unsigned state = seed * 2654435761U + 7;
    for (int i = 0; i < 300; ++i) {
        state = state * 1103515245U + 12345U;
        text += kPieces[(state >> 8) % kPieces.size()];
        if ((state >> 22) % 128 == 0) text += long_run(state >> 11);
    }
    return text;
}

// A whole address read at once must call what eleven tokens read one by one
// would: read byte by byte, no address is ever at hand whole.
TEST(Parser, AddressesReadAtOnceAgreeWithTokenByToken) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        const std::string input = random_configuration(seed);
        ASSERT_EQ(parse_recorded(input), parse_recorded(input, 1)) << "seed " << seed;
    }
}

}  // namespace
