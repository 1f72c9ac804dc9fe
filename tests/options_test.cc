#include <gtest/gtest.h>

#include "link_fixture.h"

namespace {

class Options : public link_fixture {};

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
