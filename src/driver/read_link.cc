#include <fcntl.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "requests.h"
#include "run_failure.h"
#include "session.h"

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
void read_list(session& run, int fd, std::uint64_t cursor, Record*& first, link_req& req,
               std::uint32_t code, const char* prefix, void (*on_read)(Record&)) {
    Record** slot = &first;
    while (cursor != 0) {
        auto* record = static_cast<Record*>(run.allocate_record());
        *slot = record;
        req.cursor = cursor;
        req.data = record;
        if (run.driver().ioctl(fd, code, &req) != 0) {
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

int session::getlinkinfo() {
    if (linkfp == 0 || zl == nullptr) {
        throw run_failure(1, stderr, "\tZLC\t\t %d internal error ", 1084);
    }
    link_req req{};
    req.data = zl;
    if (driver_.ioctl(linkfp, ZLIOGLINK, &req) != 0) return 0;
    const std::uint64_t first_segment = handle_in(zl->segs);
    const std::uint64_t first_entry = handle_in(zl->ttls);
    zl->segs = nullptr;
    zl->ttls = nullptr;
    read_list<seg_desc>(*this, linkfp, first_segment, zl->segs, req, ZLIOGSEG, "zlconf ZLIOGSEG ",
                        [](seg_desc&) {});
    read_list<ttl_entry>(*this, linkfp, first_entry, zl->ttls, req, ZLIOGTL, "zlconf ZLIOGTL ",
                         [](ttl_entry& entry) { entry.installed = 1; });
    return 1;
}

// Opens "/dev/<name>", makes `zl` and fills it from the driver, or fresh for a
// link the driver does not have. A device that cannot be opened ends the run.
void session::set_linkname(const char* name) {
    // The lexer's link names are at most 7 characters; the bound keeps any
    // other caller from overrunning the path or the record's name.
    const std::size_t length = strnlen(name, kNameField);
    if (length == kNameField)
        throw run_failure::system_error(1, "zlconf open device", ENAMETOOLONG);
    char path[5 + kNameField];
    std::memcpy(path, "/dev/", 5);
    std::memcpy(path + 5, name, length);
    path[5 + length] = '\0';
    std::memcpy(device_name_, name, length);
    device_name_[length] = '\0';
    linkfp = driver_.open(path, O_RDWR);
    if (linkfp < 0) {
        const int error = errno;  // taken before the exception is allocated
        throw run_failure::system_error(1, "zlconf open device", error);
    }

    zl = static_cast<link_desc*>(allocate_record());
    // Until the driver has written it, nothing in the record may be trusted.
    zl->segs = nullptr;
    zl->ttls = nullptr;
    if (getlinkinfo() == 0) {
        std::memcpy(zl->name, name, length);
        zl->name[length] = '\0';
        zl->mode = kNewLinkMode;
        zl->segs = nullptr;
        zl->ttls = nullptr;
    }
}
