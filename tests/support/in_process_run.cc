#include "in_process_run.h"

#include "captured_stream.h"
#include "memory_source.h"
#include "run.h"
#include "session.h"

in_process_result run_in_process(std::string_view config, model::model_device& driver,
                                 std::size_t piece) {
    driver.clear_log();
    memory_source input{std::string(config), piece};
    captured_stream out;
    captured_stream diagnostics;
    in_process_result result;
    session run(input, out.file(), driver);
    result.status = configure(run, diagnostics.file());
    result.out = out.text();
    result.diagnostics = diagnostics.text();
    result.log = driver.log();
    result.device_left_open = driver.is_open(run.linkfp);
    return result;
}
