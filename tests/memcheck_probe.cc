// A deliberately careless client of the stand-in driver, run under valgrind's
// memcheck by the tests to show that the memcheck runs of zlconf would see
// each kind of fault they are there for:
//
//   memcheck_probe request  sends a request whose reserved bytes were never set
//   memcheck_probe output   writes an uninitialised byte to standard output
//   memcheck_probe leak     loses a record at exit
//   memcheck_probe overrun  writes one byte past a record of a link description
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver/requests.h"
#include "link/record_arena.h"

namespace {

int send_half_set_request() {
    const int fd = open("/dev/zl0", O_RDWR);
    if (fd < 0 || ioctl(fd, ZLIOCLINK, nullptr) != 0) return 1;
    auto* request = static_cast<link_req*>(std::malloc(sizeof(link_req)));
    // Every field the request uses, and all but the reserved bytes.
    std::memset(request->name, 0, sizeof request->name);
    request->unit = 0;
    std::memset(request->eaddr, 0, sizeof request->eaddr);
    request->flags = 0x1100;
    request->cursor = 0;
    request->data = nullptr;
    const int result = ioctl(fd, ZLIOSMODE, request);
    std::free(request);
    close(fd);
    return result == 0 ? 0 : 1;
}

int write_uninitialised_byte() {
    char* byte = static_cast<char*>(std::malloc(1));
    // Hides the missing initialisation from the compiler, which would refuse it.
    asm volatile("" : : "r"(byte) : "memory");
    const bool written = write(STDOUT_FILENO, byte, 1) == 1;
    std::free(byte);
    return written ? 0 : 1;
}

// NOLINTBEGIN(clang-analyzer-unix.Malloc): the leak is the point
int lose_a_record() {
    void* record = std::malloc(88);
    asm volatile("" : : "r"(record) : "memory");  // keeps the compiler from dropping it
    return 0;
}
// NOLINTEND(clang-analyzer-unix.Malloc)

// Records share large blocks of the arena; each must still be a block of its own.
int overrun_a_record() {
    record_arena arena;
    auto* record = static_cast<unsigned char*>(arena.allocate());
    arena.allocate();                 // the record after it
    asm volatile("" : "+r"(record));  // hides the overrun from the compiler
    record[kRecordSize] = 1;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const char* mode = argc == 2 ? argv[1] : "";
    if (std::strcmp(mode, "request") == 0) return send_half_set_request();
    if (std::strcmp(mode, "output") == 0) return write_uninitialised_byte();
    if (std::strcmp(mode, "leak") == 0) return lose_a_record();
    if (std::strcmp(mode, "overrun") == 0) return overrun_a_record();
    std::fputs("usage: memcheck_probe request | output | leak | overrun\n", stderr);
    return 2;
}
