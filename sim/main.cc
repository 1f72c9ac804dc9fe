#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "io/standard_streams.h"
#include "sim/sim_run.h"

int main(int argc, char** argv) {
    // What show and log print is their result: with standard output closed
    // there is nowhere to put it, and that is a failure, not silence.
    const unsigned closed = closed_standard_streams();
    const bool output_closed = (closed & (1U << STDOUT_FILENO)) != 0;
    const bool prints_result =
        argc > 1 && (std::strcmp(argv[1], "show") == 0 || std::strcmp(argv[1], "log") == 0);
    if (!ensure_standard_streams()) return 1;
    sim::hand_on_closed_streams(closed);
    const int status = sim::zlsim_main(argc, argv);
    const int output_error = flush_standard_output();
    return finish_output("zlsim", status, output_closed && prints_result ? EBADF : output_error);
}
