// Link descriptions for tests of the in-memory operations, a new one for each
// test: a link_description alone, or a session over one whose device no test
// of them may reach.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "config/byte_source.h"
#include "driver/device.h"
#include "link/link_description.h"
#include "session.h"

/// A device that refuses everything, as no driver would: an in-memory test
/// that reached it would see its operation fail.
class unreachable_device final : public device {
public:
    int open(const char*, int) override { return refuse(); }
    int ioctl(int, unsigned long, void*) override { return refuse(); }
    int close(int) override { return refuse(); }

private:
    static int refuse() {
        ADD_FAILURE() << "an in-memory operation reached the device";
        errno = ENODEV;
        return -1;
    }
};

/// Makes `link.zl` a new link "zl0" with no lists.
inline void start_link(link_description& link) {
    link.become_new_link("zl0", 3);
}

/// A segment as the driver would report it, its unused bytes not cleared,
/// appended behind the others of `link.zl`.
inline seg_desc* append_driver_segment(link_description& link, const char* name,
                                       std::uint32_t state, int speed, int duplex) {
    auto* seg = static_cast<seg_desc*>(link.allocate_record());
    std::memset(seg, 0xA5, sizeof *seg);
    std::strcpy(seg->name, name);
    seg->state = state;
    seg->speed = speed;
    seg->duplex = duplex;
    seg->next = nullptr;
    seg_desc** slot = &link.zl->segs;
    while (*slot != nullptr) slot = &(*slot)->next;
    *slot = seg;
    return seg;
}

class link_fixture : public testing::Test {
protected:
    link_fixture() { start_link(link); }

    link_description link;
};

/// The same with the statements' operations, as the grammar calls them.
class session_fixture : public testing::Test {
protected:
    session_fixture() { start_link(run); }

    text_source no_input{""};
    unreachable_device nowhere;
    session run{no_input, stdout, nowhere};
};
