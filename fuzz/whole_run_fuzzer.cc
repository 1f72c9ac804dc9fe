// Fuzzes whole runs of the tool in this process against the stand-in driver's
// model, the input choosing the configuration, the driver's state and which
// requests fail (driver_script.h). Whatever they are, the run talks to the
// driver in the promised order and ends as its log says it must
// (request_protocol.h); the sanitizers watch memory meanwhile.
#include <cstdint>
#include <string_view>
#include <utility>

#include "driver_script.h"
#include "fuzz_check.h"
#include "in_process_run.h"
#include "model/failure_plan.h"
#include "request_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    driver_script script = decode_driver_script(split_fuzz_input(input).second);
    model::model_device driver(std::move(script.state),
                               model::failure_plan::parse(script.failures));
    // The whole input goes to the lexer, which stops at the NUL.
    const in_process_result run = run_in_process(input, driver, script.piece);
    fuzz_check(request_protocol_violation(run.log).empty(), "request order",
               request_protocol_violation(run.log));
    fuzz_check(run_ending_violation(run).empty(), "run ending", run_ending_violation(run));
    return 0;
}
