// Opens a link device as a program built with _FORTIFY_SOURCE does when the
// compiler cannot see the flags: through the C library's fortified entries.
// Under the stand-in the descriptor is the stand-in's; exits 0 then.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    // Read at run time, so that the compiler cannot see the flags.
    const int flags = argc > 1 ? static_cast<int>(std::strtol(argv[1], nullptr, 10)) : O_RDWR;
    const int plain = open("/dev/zl0", flags);
    const int at = openat(AT_FDCWD, "/dev/zl1", flags);
    std::printf("open %d, openat %d\n", plain, at);
    const bool standins = plain >= 0x40000000 && at >= 0x40000000;
    if (plain >= 0) close(plain);
    if (at >= 0) close(at);
    return standins ? 0 : 1;
}
