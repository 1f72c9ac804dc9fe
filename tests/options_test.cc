#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "link_fixture.h"

namespace {

class Options : public session_fixture {};

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

// The options' truth tables. Each option leaves exactly its own bit of its
// group, whatever the group held before: nothing of it, each bit alone, or
// all of it; and every bit outside the group as it was, over a word with none
// of them set and over one with all of them set, as a driver may report.
struct option_row {
    const char* name;
    void (session::*apply)();
    std::uint32_t group;
    std::uint32_t leaves;  // the group's bits afterwards
};

std::vector<std::uint32_t> priors_of(std::uint32_t group) {
    std::vector<std::uint32_t> priors = {0, group};
    for (std::uint32_t bit = 1; bit != 0; bit <<= 1) {
        if ((group & bit) != 0) priors.push_back(bit);
    }
    return priors;
}

template <typename Word>
void check_truth_table(const std::vector<option_row>& rows, session& run, Word word) {
    for (const option_row& row : rows) {
        for (const std::uint32_t outside : {0U, ~row.group}) {
            for (const std::uint32_t prior : priors_of(row.group)) {
                word() = outside | prior;
                (run.*row.apply)();
                EXPECT_EQ(word(), outside | row.leaves)
                    << row.name << " from 0x" << std::hex << (outside | prior);
            }
        }
    }
}

TEST_F(Options, EachSegmentOptionFromEveryPriorStateOfItsGroup) {
    constexpr std::uint32_t kRole = 0x30;
    constexpr std::uint32_t kAddress = 0x300;
    constexpr std::uint32_t kDuplex = 0x30000;
    constexpr std::uint32_t kSpeed = 0x1C0000;
    constexpr std::uint32_t kMark = 0x8000;
    const std::vector<option_row> rows = {
        {"trunk", &session::seg_opt_trunk, kRole, 0x10},
        {"standby", &session::seg_opt_standby, kRole, 0x20},
        {"sameaddr", &session::seg_opt_sameaddr, kAddress, 0x100},
        {"diffaddr", &session::seg_opt_diffaddr, kAddress, 0x200},
        {"duplex full", &session::seg_opt_fulldux, kDuplex, 0x10000},
        {"duplex half", &session::seg_opt_halfdux, kDuplex, 0x20000},
        {"speed 100bt", &session::seg_opt_100bt, kSpeed, 0x40000},
        {"speed 10bt", &session::seg_opt_10bt, kSpeed, 0x80000},
        {"speed auto", &session::seg_opt_auto, kSpeed, 0x100000},
        {"add", &session::seg_opt_add, kMark, 0},
        {"delete", &session::seg_opt_delete, kMark, 0x8000},
    };
    seg_desc* seg = append_driver_segment(run, "ce0", 0, 100, 2);
    run.segment_interfacename("ce0");
    check_truth_table(rows, run, [seg]() -> std::uint32_t& { return seg->state; });
    EXPECT_EQ(seg->speed, 100) << "the driver's figures are not the statements'";
    EXPECT_EQ(seg->duplex, 2);
}

TEST_F(Options, EachLinkOptionFromEveryPriorStateOfItsGroup) {
    constexpr std::uint32_t kDistribution = 0x1F0;
    constexpr std::uint32_t kDelete = 0x8000;
    constexpr std::uint32_t kLookup = 0x10000;
    const std::vector<option_row> rows = {
        {"roundrobin", &session::link_opt_roundrobin, kDistribution, 0x10},
        {"dstroute", &session::link_opt_dstroute, kDistribution, 0x20},
        {"fallover", &session::link_opt_fallover, kDistribution, 0x40},
        {"spillover", &session::link_opt_spillover, kDistribution, 0x80},
        {"dynamic", &session::link_opt_dymxor, kDistribution, 0x100},
        {"delete", &session::link_opt_delete, kDelete, 0x8000},
        {"add", &session::link_opt_add, 0, 0},
        {"dumpinfo", &session::link_opt_dumpinfo, 0, 0},
    };
    testing::internal::CaptureStderr();
    check_truth_table(rows, run, [this]() -> std::uint32_t& { return run.zl->mode; });
    testing::internal::GetCapturedStderr();

    // A table-lookup statement only adds its bit.
    for (const std::uint32_t prior : {0U, ~kLookup}) {
        run.zl->mode = prior;
        run.link_opt_tablelookup_address(2, 0, 0, 0, 0, 1);
        run.link_opt_tablelookup_interfacename("ce0");
        EXPECT_EQ(run.zl->mode, prior | kLookup);
    }
}

TEST_F(Options, LinkAddDoesNotUndoLinkDelete) {
    run.link_opt_delete();
    run.link_opt_add();
    EXPECT_EQ(run.zl->mode & ZLM_DELETE, ZLM_DELETE);
}

}  // namespace
