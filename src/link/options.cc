// Link options change `zl->mode`; segment options change `working_seg->state`.
// Each is one read-modify-write of one word with a clear mask and a set mask,
// so every bit outside both, the driver's included, keeps its value.
#include <cstdint>

#include "session.h"

namespace {

void change(std::uint32_t& word, std::uint32_t clears, std::uint32_t sets) {
    word = (word & ~clears) | sets;
}

void distribute(link_desc& link, std::uint32_t mode_bit) {
    change(link.mode, ZLM_DISTMASK, mode_bit);
}

constexpr std::uint32_t kRole = ZLS_TRUNK | ZLS_STANDBY;
constexpr std::uint32_t kAddress = ZLS_SAMEADDR | ZLS_DIFFADDR;
constexpr std::uint32_t kDuplex = ZLS_FULLDUX | ZLS_HALFDUX;
constexpr std::uint32_t kSpeed = ZLS_100BT | ZLS_10BT | ZLS_AUTO;

// Clears the other members of the bit's group and sets the bit.
void choose(seg_desc& seg, std::uint32_t group, std::uint32_t bit) {
    change(seg.state, group & ~bit, bit);
}

}  // namespace

// A link that the driver lacks is created at commit anyway, so ADD has nothing to do.
void session::link_opt_add() {}

// Marks the segments known now; segment blocks after this one are not marked.
void session::link_opt_delete() {
    for (working_seg = zl->segs; working_seg != nullptr; working_seg = working_seg->next) {
        seg_opt_delete();
    }
    change(zl->mode, 0, ZLM_DELETE);
}

void session::link_opt_dstroute() {
    distribute(*zl, ZLM_DSTROUTE);
}
void session::link_opt_dymxor() {
    distribute(*zl, ZLM_DYMXOR);
}
void session::link_opt_fallover() {
    distribute(*zl, ZLM_FALLOVER);
}
void session::link_opt_roundrobin() {
    distribute(*zl, ZLM_ROUNDROBIN);
}
void session::link_opt_spillover() {
    distribute(*zl, ZLM_SPILLOVER);
}

void session::seg_opt_add() {
    change(working_seg->state, ZLS_DELETE, 0);
}
void session::seg_opt_delete() {
    change(working_seg->state, 0, ZLS_DELETE);
}
void session::seg_opt_sameaddr() {
    choose(*working_seg, kAddress, ZLS_SAMEADDR);
}
void session::seg_opt_diffaddr() {
    choose(*working_seg, kAddress, ZLS_DIFFADDR);
}
void session::seg_opt_standby() {
    choose(*working_seg, kRole, ZLS_STANDBY);
}
void session::seg_opt_trunk() {
    choose(*working_seg, kRole, ZLS_TRUNK);
}
void session::seg_opt_auto() {
    choose(*working_seg, kSpeed, ZLS_AUTO);
}
void session::seg_opt_100bt() {
    choose(*working_seg, kSpeed, ZLS_100BT);
}
void session::seg_opt_10bt() {
    choose(*working_seg, kSpeed, ZLS_10BT);
}
void session::seg_opt_halfdux() {
    choose(*working_seg, kDuplex, ZLS_HALFDUX);
}
void session::seg_opt_fulldux() {
    choose(*working_seg, kDuplex, ZLS_FULLDUX);
}
