#include <gtest/gtest.h>

#include <cstdint>

#include "link_fixture.h"

namespace {

// The masks of every option, written out as the driver expects them.
struct option_case {
    const char* name;
    void (session::*apply)();
    std::uint32_t clears;
    std::uint32_t sets;
};

constexpr option_case kLinkOptions[] = {
    {"add", &session::link_opt_add, 0, 0},
    {"dstroute", &session::link_opt_dstroute, 0x1F0, 0x20},
    {"dymxor", &session::link_opt_dymxor, 0x1F0, 0x100},
    {"fallover", &session::link_opt_fallover, 0x1F0, 0x40},
    {"roundrobin", &session::link_opt_roundrobin, 0x1F0, 0x10},
    {"spillover", &session::link_opt_spillover, 0x1F0, 0x80},
};

constexpr option_case kSegmentOptions[] = {
    {"add", &session::seg_opt_add, 0x8000, 0},
    {"delete", &session::seg_opt_delete, 0, 0x8000},
    {"sameaddr", &session::seg_opt_sameaddr, 0x200, 0x100},
    {"diffaddr", &session::seg_opt_diffaddr, 0x100, 0x200},
    {"standby", &session::seg_opt_standby, 0x10, 0x20},
    {"trunk", &session::seg_opt_trunk, 0x20, 0x10},
    {"auto", &session::seg_opt_auto, 0xC0000, 0x100000},
    {"100bt", &session::seg_opt_100bt, 0x180000, 0x40000},
    {"10bt", &session::seg_opt_10bt, 0x140000, 0x80000},
    {"halfdux", &session::seg_opt_halfdux, 0x10000, 0x20000},
    {"fulldux", &session::seg_opt_fulldux, 0x20000, 0x10000},
};

// Words full of the driver's own bits: every bit outside the masks must survive.
constexpr std::uint32_t kWords[] = {0, 0xFFFFFFFF, 0xA5A5A5A5, 0x5A5A5A5A};

class Options : public link_fixture {};

TEST_F(Options, EachLinkOptionChangesOnlyItsBits) {
    for (const option_case& option : kLinkOptions) {
        for (std::uint32_t word : kWords) {
            run.zl->mode = word;
            (run.*option.apply)();
            EXPECT_EQ(run.zl->mode, (word & ~option.clears) | option.sets) << option.name;
        }
    }
}

TEST_F(Options, EachSegmentOptionChangesOnlyItsBits) {
    run.segment_interfacename("ce0");
    for (const option_case& option : kSegmentOptions) {
        for (std::uint32_t word : kWords) {
            run.working_seg->state = word;
            (run.*option.apply)();
            EXPECT_EQ(run.working_seg->state, (word & ~option.clears) | option.sets) << option.name;
        }
    }
    EXPECT_EQ(run.working_seg->speed, -1);
    EXPECT_EQ(run.working_seg->duplex, -1);
}

TEST_F(Options, TheLastChoiceOfAGroupWins) {
    run.link_opt_fallover();
    run.link_opt_dstroute();
    EXPECT_EQ(run.zl->mode, 0x1020U);

    run.zl->mode = 0x80000000U | ZLM_EXISTS | ZLM_ROUNDROBIN | ZLM_SPILLOVER;
    run.link_opt_roundrobin();
    EXPECT_EQ(run.zl->mode, 0x80000000U | ZLM_EXISTS | ZLM_ROUNDROBIN);

    run.segment_interfacename("ce0");
    run.seg_opt_standby();
    run.seg_opt_diffaddr();
    run.seg_opt_10bt();
    run.seg_opt_auto();
    EXPECT_EQ(run.working_seg->state, 0x101220U);
    run.seg_opt_halfdux();
    run.seg_opt_fulldux();
    run.seg_opt_delete();
    run.seg_opt_add();
    EXPECT_EQ(run.working_seg->state, 0x111220U);
}

// Each speed replaces the one before, the driver's auto included.
TEST_F(Options, ASpeedReplacesAuto) {
    const seg_desc* seg = driver_segment("ce0", ZLS_EXISTS | ZLS_TRUNK | ZLS_AUTO, 100, 2);
    run.segment_interfacename("ce0");
    run.seg_opt_100bt();
    EXPECT_EQ(seg->state, ZLS_EXISTS | ZLS_TRUNK | ZLS_100BT);
    run.seg_opt_10bt();
    EXPECT_EQ(seg->state, ZLS_EXISTS | ZLS_TRUNK | ZLS_10BT);
    run.seg_opt_auto();
    EXPECT_EQ(seg->state, ZLS_EXISTS | ZLS_TRUNK | ZLS_AUTO);
}

TEST_F(Options, LinkAddDoesNotUndoLinkDelete) {
    run.link_opt_delete();
    run.link_opt_add();
    EXPECT_EQ(run.zl->mode & ZLM_DELETE, ZLM_DELETE);
}

}  // namespace
