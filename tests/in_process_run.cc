#include "in_process_run.h"

#include "captured_stream.h"
#include "globals.h"
#include "link/description.h"
#include "memory_source.h"
#include "run.h"

in_process_result run_in_process(std::string_view config, model::model_device& driver,
                                 std::size_t piece) {
    driver.clear_log();
    use_device(driver);
    lineno = 1;
    linkfp = 0;

    memory_source input{std::string(config), piece};
    captured_stream out;
    captured_stream diagnostics;
    in_process_result result;
    result.status = configure(input, out.file(), diagnostics.file());
    result.out = out.text();
    result.diagnostics = diagnostics.text();
    result.log = driver.log();
    result.device_left_open = driver.is_open(linkfp);

    // A run that ended inside a block leaves its description and its device
    // to the process's end; here that end is now.
    release_link_description();
    linkfp = 0;
    lineno = 1;
    use_device(system_device());
    return result;
}
