#include <cstdio>

#include "io/standard_streams.h"
#include "run.h"

int main(int argc, char** argv) {
    if (!ensure_standard_streams()) return 1;
    // Each diagnostic line goes out whole as soon as it ends, so that a run
    // killed at any later point has lost nothing it reported; a state report
    // is gathered and written in one go.
    static char report_buffer[64 * 1024];
    std::setvbuf(stderr, report_buffer, _IOLBF, sizeof report_buffer);
    return zlconf_main(argc, argv);
}
