// A session with a link description in `zl` for tests of the in-memory
// operations; a new one for each test.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "config/byte_source.h"
#include "session.h"

class link_fixture : public testing::Test {
protected:
    link_fixture() {
        run.zl = static_cast<link_desc*>(run.allocate_record());
        std::strcpy(run.zl->name, "zl0");
        run.zl->mode = kNewLinkMode;
        run.zl->segs = nullptr;
        run.zl->ttls = nullptr;
    }

    // A segment as the driver would report it, appended behind the others.
    seg_desc* driver_segment(const char* name, std::uint32_t state, int speed, int duplex) {
        auto* seg = static_cast<seg_desc*>(run.allocate_record());
        std::memset(seg, 0xA5, sizeof *seg);
        std::strcpy(seg->name, name);
        seg->state = state;
        seg->speed = speed;
        seg->duplex = duplex;
        seg->next = nullptr;
        seg_desc** slot = &run.zl->segs;
        while (*slot != nullptr) slot = &(*slot)->next;
        *slot = seg;
        return seg;
    }

    text_source no_input{""};
    session run{no_input, stdout};
};
