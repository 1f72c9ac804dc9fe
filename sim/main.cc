#include "io/standard_streams.h"
#include "sim/sim_run.h"

int main(int argc, char** argv) {
    if (!ensure_standard_streams()) return 1;
    const int status = sim::zlsim_main(argc, argv);
    return finish_output("zlsim", status, flush_standard_output());
}
