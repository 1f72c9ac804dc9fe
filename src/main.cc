#include <unistd.h>

#include <cstdio>

#include "run.h"

int main(int argc, char** argv) {
    // Reports go out in large writes; a terminal still sees each line at once.
    // Every way out of zlconf_main returns here, and the exit flushes it all.
    static char report_buffer[64 * 1024];
    std::setvbuf(stderr, report_buffer, isatty(STDERR_FILENO) ? _IOLBF : _IOFBF,
                 sizeof report_buffer);
    return zlconf_main(argc, argv);
}
