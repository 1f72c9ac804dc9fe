// What each statement does: a change to the link description, or a request
// to the driver. The grammar calls these as each statement's last token is read.
#include "session.h"

#include <cstring>
#include <string>

#include "config/grammar.h"
#include "config/option_groups.h"
#include "driver/link_driver.h"
#include "link/link_snapshot.h"
#include "report/link_report.h"
#include "run_failure.h"

session::session(byte_source& input, std::FILE* out, device& driver)
    : driver_(driver), lex_(input, out, lineno) {}

session::session(byte_source& input, echo_observer& echo, device& driver)
    : driver_(driver), lex_(input, nullptr, echo, lineno) {}

int session::parse(std::FILE* diagnostics) {
    syntax_error_report unused;
    return grammar::parse_input(lex_, *this, diagnostics, unused);
}

int session::getlinkinfo() {
    if (linkfp == 0 || zl == nullptr) {
        throw run_failure(1, stderr, "\tZLC\t\t %d internal error ", 1084);
    }
    return read_link(driver_, linkfp, *this) ? 1 : 0;
}

// "zelnar NAME": opens "/dev/NAME" and fills `zl` from the driver, or fresh
// for a link the driver does not have. A device that cannot be opened ends
// the run.
void session::set_linkname(const char* name) {
    linkfp = open_link_device(driver_, name);
    const std::size_t length = strnlen(name, kNameField);  // below kNameField once opened
    std::memcpy(device_name_, name, length);
    device_name_[length] = '\0';

    begin_reading();
    if (getlinkinfo() == 0) become_new_link(name, length);
}

void session::create_link() {}

// "end" of a link block: sends `zl` to the driver, then releases it and
// closes the device. No refusal ends the run.
void session::close_link() {
    commit_link(driver_, linkfp, device_name_, *zl);
    release_link_description();
    driver_.close(linkfp);
    linkfp = 0;
}

// A link that the driver lacks is created at commit anyway, so ADD has nothing to do.
void session::link_opt_add() {}

// Marks the segments known now; segment blocks after this one are not marked.
void session::link_opt_delete() {
    mark_link_deleted();
}

void session::link_opt_dstroute() {
    choose_link_bit(ZLM_DISTMASK, ZLM_DSTROUTE);
}
void session::link_opt_dymxor() {
    choose_link_bit(ZLM_DISTMASK, ZLM_DYMXOR);
}
void session::link_opt_fallover() {
    choose_link_bit(ZLM_DISTMASK, ZLM_FALLOVER);
}
void session::link_opt_roundrobin() {
    choose_link_bit(ZLM_DISTMASK, ZLM_ROUNDROBIN);
}
void session::link_opt_spillover() {
    choose_link_bit(ZLM_DISTMASK, ZLM_SPILLOVER);
}

// Names are printed bounded by their field: one the driver wrote may lack its
// NUL. The report is gathered and written in one go, so that it reaches
// standard error whole.
void session::link_opt_dumpinfo() {
    if (zl == nullptr) throw run_failure(1, stderr, "\tZLC\t\t %d internal error \n", 639);
    const std::string report = link_report(snapshot_of(*zl), {});
    std::fwrite(report.data(), 1, report.size(), stderr);
}

void session::link_opt_tablelookup_address(std::int32_t a0, std::int32_t a1, std::int32_t a2,
                                           std::int32_t a3, std::int32_t a4, std::int32_t a5) {
    append_entry({a0, a1, a2, a3, a4, a5});
}

void session::link_opt_tablelookup_interfacename(const char* name) {
    name_last_entry(name);
}

void session::create_segment() {}

// "segment NAME": the segment of that name, appended when the link has none.
void session::segment_interfacename(const char* name) {
    select_segment(name);
}

void session::close_segment() {
    deselect_segment();
}

void session::seg_opt_add() {
    change_segment_state(ZLS_DELETE, 0);
}
void session::seg_opt_delete() {
    change_segment_state(0, ZLS_DELETE);
}
void session::seg_opt_sameaddr() {
    choose_segment_bit(group_of(kAddresses), ZLS_SAMEADDR);
}
void session::seg_opt_diffaddr() {
    choose_segment_bit(group_of(kAddresses), ZLS_DIFFADDR);
}
void session::seg_opt_standby() {
    choose_segment_bit(group_of(kRoles), ZLS_STANDBY);
}
void session::seg_opt_trunk() {
    choose_segment_bit(group_of(kRoles), ZLS_TRUNK);
}
void session::seg_opt_auto() {
    choose_segment_bit(group_of(kSpeeds), ZLS_AUTO);
}
void session::seg_opt_100bt() {
    choose_segment_bit(group_of(kSpeeds), ZLS_100BT);
}
void session::seg_opt_10bt() {
    choose_segment_bit(group_of(kSpeeds), ZLS_10BT);
}
void session::seg_opt_halfdux() {
    choose_segment_bit(group_of(kDuplexes), ZLS_HALFDUX);
}
void session::seg_opt_fulldux() {
    choose_segment_bit(group_of(kDuplexes), ZLS_FULLDUX);
}
