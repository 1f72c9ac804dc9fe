#include <gtest/gtest.h>

#include <cstdint>

#include "link/options.h"
#include "link_fixture.h"

namespace {

// The masks of every option, written out as the driver expects them.
struct option_case {
    const char* name;
    void (*apply)();
    std::uint32_t clears;
    std::uint32_t sets;
};

constexpr option_case kLinkOptions[] = {
    {"add", link_opt_add, 0, 0},
    {"dstroute", link_opt_dstroute, 0x1F0, 0x20},
    {"dymxor", link_opt_dymxor, 0x1F0, 0x100},
    {"fallover", link_opt_fallover, 0x1F0, 0x40},
    {"roundrobin", link_opt_roundrobin, 0x1F0, 0x10},
    {"spillover", link_opt_spillover, 0x1F0, 0x80},
};

constexpr option_case kSegmentOptions[] = {
    {"add", seg_opt_add, 0x8000, 0},
    {"delete", seg_opt_delete, 0, 0x8000},
    {"sameaddr", seg_opt_sameaddr, 0x200, 0x100},
    {"diffaddr", seg_opt_diffaddr, 0x100, 0x200},
    {"standby", seg_opt_standby, 0x10, 0x20},
    {"trunk", seg_opt_trunk, 0x20, 0x10},
    {"auto", seg_opt_auto, 0xC0000, 0x100000},
    {"100bt", seg_opt_100bt, 0x180000, 0x40000},
    {"10bt", seg_opt_10bt, 0x140000, 0x80000},
    {"halfdux", seg_opt_halfdux, 0x10000, 0x20000},
    {"fulldux", seg_opt_fulldux, 0x20000, 0x10000},
};

// Words full of the driver's own bits: every bit outside the masks must survive.
constexpr std::uint32_t kWords[] = {0, 0xFFFFFFFF, 0xA5A5A5A5, 0x5A5A5A5A};

class Options : public link_fixture {};

TEST_F(Options, EachLinkOptionChangesOnlyItsBits) {
    for (const option_case& option : kLinkOptions) {
        for (std::uint32_t word : kWords) {
            zl->mode = word;
            option.apply();
            EXPECT_EQ(zl->mode, (word & ~option.clears) | option.sets) << option.name;
        }
    }
}

TEST_F(Options, EachSegmentOptionChangesOnlyItsBits) {
    segment_interfacename("ce0");
    for (const option_case& option : kSegmentOptions) {
        for (std::uint32_t word : kWords) {
            working_seg->state = word;
            option.apply();
            EXPECT_EQ(working_seg->state, (word & ~option.clears) | option.sets) << option.name;
        }
    }
    EXPECT_EQ(working_seg->speed, -1);
    EXPECT_EQ(working_seg->duplex, -1);
}

TEST_F(Options, TheLastChoiceOfAGroupWins) {
    link_opt_fallover();
    link_opt_dstroute();
    EXPECT_EQ(zl->mode, 0x1020U);

    zl->mode = 0x80000000U | ZLM_EXISTS | ZLM_ROUNDROBIN | ZLM_SPILLOVER;
    link_opt_roundrobin();
    EXPECT_EQ(zl->mode, 0x80000000U | ZLM_EXISTS | ZLM_ROUNDROBIN);

    segment_interfacename("ce0");
    seg_opt_standby();
    seg_opt_diffaddr();
    seg_opt_10bt();
    seg_opt_auto();
    EXPECT_EQ(working_seg->state, 0x101220U);
    seg_opt_halfdux();
    seg_opt_fulldux();
    seg_opt_delete();
    seg_opt_add();
    EXPECT_EQ(working_seg->state, 0x111220U);
}

// Each speed replaces the one before, the driver's auto included.
TEST_F(Options, ASpeedReplacesAuto) {
    const seg_desc* seg = driver_segment("ce0", ZLS_EXISTS | ZLS_TRUNK | ZLS_AUTO, 100, 2);
    segment_interfacename("ce0");
    seg_opt_100bt();
    EXPECT_EQ(seg->state, ZLS_EXISTS | ZLS_TRUNK | ZLS_100BT);
    seg_opt_10bt();
    EXPECT_EQ(seg->state, ZLS_EXISTS | ZLS_TRUNK | ZLS_10BT);
    seg_opt_auto();
    EXPECT_EQ(seg->state, ZLS_EXISTS | ZLS_TRUNK | ZLS_AUTO);
}

TEST_F(Options, LinkAddDoesNotUndoLinkDelete) {
    link_opt_delete();
    link_opt_add();
    EXPECT_EQ(zl->mode & ZLM_DELETE, ZLM_DELETE);
}

}  // namespace
