#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/option_groups.h"
#include "link/record_arena.h"
#include "link_fixture.h"

namespace {

using testing::ElementsAre;

std::vector<std::string> segment_names(const link_desc* zl) {
    std::vector<std::string> names;
    for (const seg_desc* s = zl->segs; s != nullptr; s = s->next) names.emplace_back(s->name);
    return names;
}

class LinkDescription : public link_fixture {};

TEST_F(LinkDescription, SegmentsKeepTheOrderOfFirstMention) {
    append_driver_segment(link, "ce0", 0x111, 100, 2);
    for (const char* name : {"ce2", "ce1", "ce0", "ce2", "ce3"}) {
        link.select_segment(name);
        link.deselect_segment();
    }
    EXPECT_THAT(segment_names(link.zl), ElementsAre("ce0", "ce2", "ce1", "ce3"));
    EXPECT_EQ(link.working_seg, nullptr);
}

TEST_F(LinkDescription, NamesMatchExactly) {
    append_driver_segment(link, "ce1", 0x111, 100, 2);
    link.select_segment("ce10");
    link.select_segment("kce1");
    EXPECT_THAT(segment_names(link.zl), ElementsAre("ce1", "ce10", "kce1"));
    EXPECT_EQ(link.find_seg("ce1"), link.zl->segs);
    EXPECT_EQ(link.find_seg("ce"), nullptr);
    EXPECT_EQ(link.find_seg("CE1"), nullptr);
}

TEST_F(LinkDescription, DriverSegmentIsChangedInPlace) {
    seg_desc* seg = append_driver_segment(
        link, "ce0", 0x80000000U | ZLS_EXISTS | ZLS_STANDBY | ZLS_100BT, 100, 2);
    link.select_segment("ce0");
    EXPECT_EQ(link.working_seg, seg);
    link.choose_segment_bit(group_of(kRoles), ZLS_TRUNK);
    link.choose_segment_bit(group_of(kSpeeds), ZLS_10BT);
    EXPECT_EQ(seg->state, 0x80000000U | ZLS_EXISTS | ZLS_TRUNK | ZLS_10BT);
    EXPECT_EQ(seg->speed, 100);
    EXPECT_EQ(seg->duplex, 2);
}

TEST_F(LinkDescription, TableLookupEntriesAreAppendedEvenWhenRepeated) {
    link.choose_link_bit(ZLM_DISTMASK, ZLM_DSTROUTE);
    for (int i = 0; i < 2; ++i) {
        link.append_entry({2, 0, 0, 10, 11, 12});
        link.name_last_entry("ce1");
    }
    link.append_entry({255, 1, 2, 3, 4, 5});
    link.name_last_entry("zme7");

    EXPECT_EQ(link.zl->mode, 0x11020U);
    std::vector<std::string> entries;
    for (const ttl_entry* e = link.zl->ttls; e != nullptr; e = e->next) {
        char line[96];
        std::snprintf(line, sizeof line, "%02x:%02x:%02x:%02x:%02x:%02x %s %d", e->eaddr[0],
                      e->eaddr[1], e->eaddr[2], e->eaddr[3], e->eaddr[4], e->eaddr[5], e->ifname,
                      e->installed);
        entries.emplace_back(line);
    }
    EXPECT_THAT(entries, ElementsAre("02:00:00:0a:0b:0c ce1 0", "02:00:00:0a:0b:0c ce1 0",
                                     "ff:01:02:03:04:05 zme7 0"));
}

TEST_F(LinkDescription, LinkDeleteMarksOnlyTheSegmentsKnownThen) {
    append_driver_segment(link, "ce0", ZLS_EXISTS, 100, 2);
    append_driver_segment(link, "ce1", ZLS_EXISTS, 100, 2);
    link.select_segment("ce2");
    link.deselect_segment();

    link.mark_link_deleted();
    EXPECT_EQ(link.working_seg, nullptr);
    EXPECT_EQ(link.zl->mode, 0x1100U | ZLM_DELETE);
    for (const seg_desc* s = link.zl->segs; s != nullptr; s = s->next) {
        EXPECT_NE(s->state & ZLS_DELETE, 0U) << s->name;
    }

    link.select_segment("ce1");
    link.change_segment_state(ZLS_DELETE, 0);
    link.deselect_segment();
    link.select_segment("ce3");
    link.deselect_segment();
    std::vector<std::uint32_t> states;
    for (const seg_desc* s = link.zl->segs; s != nullptr; s = s->next) states.push_back(s->state);
    EXPECT_THAT(states, ElementsAre(0x8001U, 0x1U, 0x9110U, 0x1110U));
}

// Past a few segments the lookup goes through an index; it must find what the
// walk from the head would: the first segment of a name, exact names only.
TEST_F(LinkDescription, LongSegmentListsFindWhatTheWalkWouldFind) {
    std::vector<seg_desc*> driver;
    for (int i = 0; i < 40; ++i) {
        driver.push_back(
            append_driver_segment(link, ("ce" + std::to_string(i)).c_str(), ZLS_EXISTS, 100, 2));
    }
    seg_desc* duplicate =
        append_driver_segment(link, "ce7", ZLS_EXISTS, 10, 1);  // the driver named it twice
    EXPECT_EQ(link.find_seg("ce7"), driver[7]);
    EXPECT_EQ(link.find_seg("ce39"), driver[39]);
    EXPECT_EQ(link.find_seg("CE7"), nullptr);
    EXPECT_EQ(link.find_seg("ce"), nullptr);

    for (int round = 0; round < 2; ++round) {
        for (int i = 35; i < 60; ++i) {
            link.select_segment(("ce" + std::to_string(i)).c_str());
            link.deselect_segment();
        }
    }
    std::vector<std::string> names = segment_names(link.zl);
    ASSERT_EQ(names.size(), 61U);
    EXPECT_EQ(names[40], "ce7");
    EXPECT_EQ(names[41], "ce40");
    EXPECT_EQ(names[60], "ce59");
    EXPECT_EQ(link.find_seg("ce59"), [this] {
        seg_desc* s = link.zl->segs;
        while (s->next != nullptr) s = s->next;
        return s;
    }());
    EXPECT_NE(link.find_seg("ce7"), duplicate);
}

// A million entries: appending stays cheap and releasing takes no stack per record.
TEST_F(LinkDescription, LongListsAreAppendedAndReleasedWithoutRecursion) {
    constexpr int kEntries = 1'000'000;
    for (int i = 0; i < kEntries; ++i) {
        link.append_entry({i >> 16 & 0xFF, i >> 8 & 0xFF, i & 0xFF, 0, 0, 1});
        link.name_last_entry("ce1");
    }
    int count = 0;
    const ttl_entry* last = nullptr;
    for (const ttl_entry* e = link.zl->ttls; e != nullptr; e = e->next, ++count) last = e;
    EXPECT_EQ(count, kEntries);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->eaddr[2], (kEntries - 1) & 0xFF);
    link.release_link_description();
    EXPECT_EQ(link.zl, nullptr);
}

// Records share large blocks, yet the address sanitizer still sees each one as
// a block of its own (valgrind's memcheck too: memcheck_sees_overrun_fault).
TEST(RecordArenaDeathTest, OverrunOfOneRecordIsReported) {
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_DEATH(
        {
            record_arena arena;
            auto* record = static_cast<unsigned char*>(arena.allocate());
            arena.allocate();                 // the record after it
            asm volatile("" : "+r"(record));  // hides the overrun from the compiler
            record[kRecordSize] = 1;
        },
        "use-after-poison");
#else
    GTEST_SKIP() << "needs the address sanitizer";
#endif
}

}  // namespace
