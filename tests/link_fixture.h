// A link description in `zl` for tests of the in-memory operations, released
// after each test.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "globals.h"
#include "link/description.h"

class link_fixture : public testing::Test {
protected:
    void SetUp() override {
        zl = static_cast<link_desc*>(allocate_record());
        forget_list_tails();
        std::strcpy(zl->name, "zl0");
        zl->mode = kNewLinkMode;
        zl->segs = nullptr;
        zl->ttls = nullptr;
        working_seg = nullptr;
    }
    void TearDown() override { release_link_description(); }

    // A segment as the driver would report it, appended behind the others.
    static seg_desc* driver_segment(const char* name, std::uint32_t state, int speed, int duplex) {
        auto* seg = static_cast<seg_desc*>(allocate_record());
        std::memset(seg, 0xA5, sizeof *seg);
        std::strcpy(seg->name, name);
        seg->state = state;
        seg->speed = speed;
        seg->duplex = duplex;
        seg->next = nullptr;
        seg_desc** slot = &zl->segs;
        while (*slot != nullptr) slot = &(*slot)->next;
        *slot = seg;
        return seg;
    }
};
