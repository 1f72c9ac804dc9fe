#include "io/standard_streams.h"
#include "plan/plan_run.h"

int main(int argc, char** argv) {
    if (!ensure_standard_streams()) return 1;
    const int status = plan::zlplan_main(argc, argv);
    return finish_output("zlplan", status, flush_standard_output());
}
