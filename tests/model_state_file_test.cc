// The stand-in driver's state file: canonical round trips and clear errors.
#include <ostream>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/state_file.h"

namespace model {
namespace {

using ::testing::HasSubstr;

constexpr const char* kCanonical =
    "link zl0\n"
    "  name trunk0\n"
    "  mode 0x00000120\n"
    "  segment ce0 speed 100 duplex 2 state 0x00010111\n"
    "  segment ce1 speed 10 duplex 1 state 0x000a0021\n"
    "  tl 02:00:00:0a:0b:0c ce0\n"
    "  tl 02:00:00:0a:0b:0c ce1\n"
    "\n"
    "link zlumi8\n"
    "  mode 0x00000000\n";

TEST(ModelStateFile, CanonicalTextRoundTripsUnchanged) {
    EXPECT_EQ(format_state(parse_state(kCanonical)), kCanonical);
}

TEST(ModelStateFile, FreeFormInputIsWrittenBackCanonically) {
    const char* input =
        "# seeded for a test\n"
        "\n"
        "link zl1   # trailing comment\n"
        "\tname zl1\n"
        "mode 288\n"
        "  segment ce2 state 0xa0000\n"
        "  segment ce3 duplex 2 speed 1000\n"
        "link zl0\n"
        "  tl 02:AB:00:00:00:01 ce2\n";
    EXPECT_EQ(format_state(parse_state(input)),
              "link zl0\n"
              "  mode 0x00000000\n"
              "  tl 02:ab:00:00:00:01 ce2\n"
              "\n"
              "link zl1\n"
              "  mode 0x00000120\n"
              "  segment ce2 speed 10 duplex 1 state 0x000a0000\n"
              "  segment ce3 speed 1000 duplex 2 state 0x00000000\n");
}

TEST(ModelStateFile, NamesOfAnyBytesUpToTheFieldWidthRoundTrip) {
    const std::string full_width(64, 'n');
    driver_state state;
    state.emplace("zl2", empty_link("zl2"));
    link_state& link = state.at("zl2");
    link.record_name = full_width;
    link.segments.push_back({"c e\x01#\\\xff", 100, 2, 0});
    link.entries.push_back({{}, full_width});

    const std::string text = format_state(state);
    EXPECT_THAT(text, HasSubstr("segment c\\x20e\\x01\\x23\\x5c\\xff "));
    EXPECT_EQ(parse_state(text), state);
}

struct bad_state {
    std::string text;
    const char* complaint;
};

// Names each case by its complaint, not by the bytes of its pointers.
void PrintTo(const bad_state& state, std::ostream* out) {
    *out << state.complaint;
}

class ModelStateFileErrors : public ::testing::TestWithParam<bad_state> {};

TEST_P(ModelStateFileErrors, NameTheLineAndTheFault) {
    EXPECT_THAT([] { parse_state(GetParam().text); },
                ::testing::ThrowsMessage<state_file_error>(HasSubstr(GetParam().complaint)));
}

INSTANTIATE_TEST_SUITE_P(
    BadLines, ModelStateFileErrors,
    ::testing::Values(
        bad_state{"mode 0x1\n", "line 1: 'mode' before the first link line"},
        bad_state{"link zl9\n", "line 1: 'zl9' is not a link device"},
        bad_state{"link zl0 extra\n", "line 1: expected link DEVICE"},
        bad_state{"link zl0\nlink zl0\n", "line 2: link zl0 appears twice"},
        bad_state{"link zl0\n\n  colour red\n", "line 3: unknown keyword 'colour'"},
        bad_state{"link zl0\n  mode 0x1g\n", "line 2: bad number '0x1g'"},
        bad_state{"link zl0\n  mode 0x100000000\n", "line 2: bad number"},
        bad_state{"link zl0\n  name a\n  name b\n", "line 3: link zl0 is named twice"},
        bad_state{"link zl0\n  name " + std::string(65, 'x') + "\n", "line 2: name"},
        bad_state{"link zl0\n  name bad\\x4\n", "line 2: bad escape in name"},
        bad_state{"link zl0\n  segment ce\\x000\n", "line 2: name 'ce\\x000' holds a NUL byte"},
        bad_state{"link zl0\n  segment ce0 state\n", "line 2: expected segment NAME"},
        bad_state{"link zl0\n  segment ce0 colour 1\n", "line 2: unknown segment field"},
        bad_state{"link zl0\n  segment ce0 speed 1 speed 2\n", "line 2: speed given twice"},
        bad_state{"link zl0\n  segment ce0\n  segment ce0\n",
                  "line 3: segment 'ce0' appears twice"},
        bad_state{"link zl0\n  tl 02:00:00:0a:0b ce0\n", "line 2: bad Ethernet address"},
        bad_state{"link zl0\n  tl 02-00-00-0a-0b-0c ce0\n", "line 2: bad Ethernet address"},
        bad_state{"link zl0\n  tl 02:00:00:0a:0b:0c\n", "line 2: expected tl"}));

}  // namespace
}  // namespace model
