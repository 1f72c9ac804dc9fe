#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "driver/link_driver.h"
#include "driver/requests.h"
#include "text/formatting.h"

namespace {

// An interface name goes into a request as its name without the last
// character, and a unit taken from that character.
constexpr std::size_t kLongestSendableName = sizeof(link_req::name);

std::int32_t unit_of(char last) {
    if (last >= '1' && last <= '?') return last - '0';
    if (last >= 'a' && last <= 'f') return last - 'a' + 10;
    return 0;
}

// False when the name cannot be sent: empty, or too long for the request's
// name field. Only a name that the driver reported can be either.
bool set_interface(link_req& req, const char (&name)[kNameField]) {
    std::size_t length = 0;
    while (length <= kLongestSendableName && name[length] != '\0') ++length;
    if (length == 0 || length > kLongestSendableName) {
        std::fprintf(stderr,
                     "zlconf: interface name \"%.*s\" does not fit a request (1 to %zu "
                     "characters); not sent\n",
                     static_cast<int>(strnlen(name, kNameField)), name, kLongestSendableName);
        return false;
    }
    // All but the last character, and NULs after them.
    std::memset(req.name, 0, sizeof req.name);
    std::memcpy(req.name, name, length - 1);
    req.unit = unit_of(name[length - 1]);
    return true;
}

// Sends one link's description to the driver at `fd`, the device of the link
// named `device_name` in the file.
class commit_of {
public:
    commit_of(device& driver, int fd, const char* device_name, link_desc& link)
        : driver_(driver), fd_(fd), device_name_(device_name), zl(&link) {}
    void commit();

private:
    int send(std::uint32_t code, link_req* req) { return driver_.ioctl(fd_, code, req); }
    void report_refused(std::uint32_t code, const char* subject, int error);
    void send_or_report(std::uint32_t code, link_req* req, const char* subject = nullptr) {
        if (send(code, req) != 0) report_refused(code, subject, errno);
    }
    void commit_segment(seg_desc& seg, link_req& req);
    void commit_table_lookup(link_req& req);

    device& driver_;
    int fd_;
    const char* device_name_;  // as the file wrote it; the record's name is the driver's
    link_desc* zl;             // the description committed
};

// A refused request other than the creation does not stop the commit, but the
// administrator sees which one it was: the link, the request, the interface or
// address it was about, and why. The link is named by its device, as the
// file names it: the driver's record may carry another name.
void commit_of::report_refused(std::uint32_t code, const char* subject, int error) {
    const int field = static_cast<int>(kNameField);
    std::fprintf(stderr, "zlconf: %.*s: %s%s%.*s refused: %s\n", field, device_name_,
                 request_name(code), subject != nullptr ? " " : "", subject != nullptr ? field : 0,
                 subject != nullptr ? subject : "", std::strerror(error));
}

// Every segment ends with one ZLIOSSEG: alone, after a ZLIOASEG, or after a
// ZLIODSEG (then with state 0). After a ZLIODSEG that the driver accepted,
// that ZLIOSSEG names a segment the driver no longer has: a driver may refuse
// it, and the segment is gone as the file asked, so that refusal is no news.
void commit_of::commit_segment(seg_desc& seg, link_req& req) {
    if (!set_interface(req, seg.name)) return;
    bool removed = false;
    for (;;) {
        req.flags = seg.state;
        if ((seg.state & ZLS_DELETE) != 0 && (seg.state & ZLS_EXISTS) != 0) {
            removed = send(ZLIODSEG, &req) == 0;
            if (!removed) report_refused(ZLIODSEG, seg.name, errno);
            seg.state = 0;
        } else if ((seg.state & ZLS_NEW) != 0) {
            send_or_report(ZLIOASEG, &req, seg.name);
            seg.state &= ~ZLS_NEW;
        } else {
            if (send(ZLIOSSEG, &req) != 0 && !removed) report_refused(ZLIOSSEG, seg.name, errno);
            return;
        }
    }
}

void commit_of::commit_table_lookup(link_req& req) {
    for (ttl_entry* entry = zl->ttls; entry != nullptr; entry = entry->next) {
        if (entry->installed != 0 || !set_interface(req, entry->ifname)) continue;
        std::memcpy(req.eaddr, entry->eaddr, sizeof req.eaddr);
        if (send(ZLIOATL, &req) == 0) continue;
        const int error = errno;
        char address[kAddressTextSize];
        format_address(entry->eaddr, address);
        report_refused(ZLIOATL, address, error);
    }
}

// Requests other than ZLIOCLINK go on whatever the driver answers; each
// refusal is reported.
void commit_of::commit() {
    link_req req{};
    if ((zl->mode & ZLM_EXISTS) == 0 && send(ZLIOCLINK, nullptr) != 0) {
        std::fprintf(stderr, "Zelnar create failed : %s\n", std::strerror(errno));
        return;
    }
    for (seg_desc* seg = zl->segs; seg != nullptr; seg = seg->next) commit_segment(*seg, req);
    if ((zl->mode & ZLM_DELETE) != 0) {
        send_or_report(ZLIODLINK, nullptr);
        return;
    }
    req.flags = zl->mode;
    send_or_report(ZLIOSMODE, &req);
    commit_table_lookup(req);
    send_or_report(ZLIOELINK, nullptr);
}

}  // namespace

void commit_link(device& driver, int fd, const char* device_name, link_desc& link) {
    commit_of(driver, fd, device_name, link).commit();
}
