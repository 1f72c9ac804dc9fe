#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <cerrno>

#include "io/standard_streams.h"
#include "plan/plan_run.h"

int main(int argc, char** argv) {
    // The output is the result: with standard output closed there is
    // nowhere to put it, and that is a failure, not silence.
    const bool output_closed = ::fcntl(STDOUT_FILENO, F_GETFD) == -1 && errno == EBADF;
    // A block's large lists (its requests, its entries) go back to the system
    // when it ends, rather than leaving the heap as large as the largest
    // block made it: glibc would otherwise raise this bound as they are freed.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    if (!ensure_standard_streams()) return 1;
    const int status = plan::zlplan_main(argc, argv);
    const int output_error = flush_standard_output();
    return finish_output("zlplan", status, output_closed ? EBADF : output_error);
}
