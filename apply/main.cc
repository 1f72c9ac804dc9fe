#include "apply/apply_run.h"
#include "io/standard_streams.h"

int main(int argc, char** argv) {
    if (!ensure_standard_streams()) return 1;
    const int status = apply::zlapply_main(argc, argv);
    return finish_output("zlapply", status, flush_standard_output());
}
