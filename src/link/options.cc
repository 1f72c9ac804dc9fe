#include "options.h"

#include <cstdint>

#include "globals.h"

namespace {

void change(std::uint32_t& word, std::uint32_t clears, std::uint32_t sets) {
    word = (word & ~clears) | sets;
}

void distribute(std::uint32_t mode_bit) {
    change(zl->mode, ZLM_DISTMASK, mode_bit);
}

constexpr std::uint32_t kRole = ZLS_TRUNK | ZLS_STANDBY;
constexpr std::uint32_t kAddress = ZLS_SAMEADDR | ZLS_DIFFADDR;
constexpr std::uint32_t kDuplex = ZLS_FULLDUX | ZLS_HALFDUX;
constexpr std::uint32_t kSpeed = ZLS_100BT | ZLS_10BT | ZLS_AUTO;

// Clears the other members of the bit's group and sets the bit.
void choose(std::uint32_t group, std::uint32_t bit) {
    change(working_seg->state, group & ~bit, bit);
}

}  // namespace

// A link that the driver lacks is created at commit anyway, so ADD has nothing to do.
void link_opt_add() {}

// Marks the segments known now; segment blocks after this one are not marked.
void link_opt_delete() {
    for (working_seg = zl->segs; working_seg != nullptr; working_seg = working_seg->next) {
        seg_opt_delete();
    }
    change(zl->mode, 0, ZLM_DELETE);
}

void link_opt_dstroute() {
    distribute(ZLM_DSTROUTE);
}
void link_opt_dymxor() {
    distribute(ZLM_DYMXOR);
}
void link_opt_fallover() {
    distribute(ZLM_FALLOVER);
}
void link_opt_roundrobin() {
    distribute(ZLM_ROUNDROBIN);
}
void link_opt_spillover() {
    distribute(ZLM_SPILLOVER);
}

void seg_opt_add() {
    change(working_seg->state, ZLS_DELETE, 0);
}
void seg_opt_delete() {
    change(working_seg->state, 0, ZLS_DELETE);
}
void seg_opt_sameaddr() {
    choose(kAddress, ZLS_SAMEADDR);
}
void seg_opt_diffaddr() {
    choose(kAddress, ZLS_DIFFADDR);
}
void seg_opt_standby() {
    choose(kRole, ZLS_STANDBY);
}
void seg_opt_trunk() {
    choose(kRole, ZLS_TRUNK);
}
void seg_opt_auto() {
    choose(kSpeed, ZLS_AUTO);
}
void seg_opt_100bt() {
    choose(kSpeed, ZLS_100BT);
}
void seg_opt_10bt() {
    choose(kSpeed, ZLS_10BT);
}
void seg_opt_halfdux() {
    choose(kDuplex, ZLS_HALFDUX);
}
void seg_opt_fulldux() {
    choose(kDuplex, ZLS_FULLDUX);
}
