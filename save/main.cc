#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "io/standard_streams.h"
#include "save/save_run.h"

int main(int argc, char** argv) {
    // The output is the result: with standard output closed there is
    // nowhere to put it, and that is a failure, not silence.
    const bool output_closed = ::fcntl(STDOUT_FILENO, F_GETFD) == -1 && errno == EBADF;
    if (!ensure_standard_streams()) return 1;
    const int status = save::zlsave_main(argc, argv);
    const int output_error = flush_standard_output();
    return finish_output("zlsave", status, output_closed ? EBADF : output_error);
}
