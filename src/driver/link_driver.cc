#include "driver/link_driver.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "driver/requests.h"
#include "run_failure.h"
#include "text/formatting.h"

// Reading: the link record, then its lists one record per request.

namespace {

// The driver leaves its own handles in the pointer fields; they are opaque
// numbers, so they are read as bytes and never used as pointers.
template <typename Pointer>
std::uint64_t handle_in(const Pointer& field) {
    // The size of the pointer itself is meant: a handle fills the whole field.
    static_assert(sizeof(Pointer) == sizeof(std::uint64_t));  // NOLINT(bugprone-sizeof-expression)
    std::uint64_t handle;
    std::memcpy(&handle, &field, sizeof handle);
    return handle;
}

// Fetches the list that starts at the driver's handle `cursor` from the link
// at `fd`, one record per request, linking each record behind the previous one
// from `first` on.
// Every pointer field holds a pointer of the tool's own or null at any moment,
// so the description can be released whenever the run ends.
template <typename Record>
void read_list(device& driver, link_description& link, int fd, std::uint64_t cursor, Record*& first,
               link_req& req, std::uint32_t code, const char* prefix, void (*on_read)(Record&)) {
    Record** slot = &first;
    while (cursor != 0) {
        auto* record = static_cast<Record*>(link.allocate_record());
        *slot = record;
        req.cursor = cursor;
        req.data = record;
        if (driver.ioctl(fd, code, &req) != 0) {
            // Taken first: allocating the exception may change errno.
            const int error = errno;
            record->next = nullptr;  // what the driver left there is no pointer of ours
            throw run_failure::system_error(1, prefix, error);
        }
        on_read(*record);
        cursor = handle_in(record->next);
        record->next = nullptr;
        slot = &record->next;
    }
}

}  // namespace

bool read_link(device& driver, int fd, link_description& link) {
    link_desc* zl = link.zl;
    link_req req{};
    req.data = zl;
    if (driver.ioctl(fd, ZLIOGLINK, &req) != 0) return false;
    const std::uint64_t first_segment = handle_in(zl->segs);
    const std::uint64_t first_entry = handle_in(zl->ttls);
    zl->segs = nullptr;
    zl->ttls = nullptr;
    read_list<seg_desc>(driver, link, fd, first_segment, zl->segs, req, ZLIOGSEG,
                        "zlconf ZLIOGSEG ", [](seg_desc&) {});
    read_list<ttl_entry>(driver, link, fd, first_entry, zl->ttls, req, ZLIOGTL, "zlconf ZLIOGTL ",
                         [](ttl_entry& entry) { entry.installed = 1; });
    return true;
}

int open_link_device(device& driver, const char* name) {
    // The lexer's link names are at most 7 characters; the bound keeps any
    // other caller from overrunning the path.
    const std::size_t length = strnlen(name, kNameField);
    if (length == kNameField)
        throw run_failure::system_error(1, "zlconf open device", ENAMETOOLONG);
    char path[5 + kNameField];
    std::memcpy(path, "/dev/", 5);
    std::memcpy(path + 5, name, length);
    path[5 + length] = '\0';
    const int fd = driver.open(path, O_RDWR);
    if (fd < 0) {
        const int error = errno;  // taken before the exception is allocated
        throw run_failure::system_error(1, "zlconf open device", error);
    }
    return fd;
}

// What the driver's open answers for a unit that no link has.
bool no_such_link(int open_error) {
    return open_error == ENOENT || open_error == ENXIO || open_error == ENODEV;
}

// Committing: the requests that make the driver hold the description.

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
