#include "io/standard_streams.h"
#include "save/save_run.h"

int main(int argc, char** argv) {
    if (!ensure_standard_streams()) return 1;
    const int status = save::zlsave_main(argc, argv);
    return finish_output("zlsave", status, flush_standard_output());
}
