#include <fcntl.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "driver/link_driver.h"
#include "driver/requests.h"
#include "run_failure.h"

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
