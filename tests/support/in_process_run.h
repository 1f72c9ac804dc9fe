// One whole run of the tool inside this process, against the stand-in driver's
// model: what the binary does between reading its input and exiting, without a
// process, a preload or a file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/model_device.h"

struct in_process_result {
    int status = 0;
    std::string out;                         // echoed characters and the length-limit message
    std::string diagnostics;                 // the syntax error line
    std::vector<model::request_record> log;  // the driver's log of this run
    bool device_left_open = false;           // the run ended with a link device open
};

/// Runs `config`, handed to the lexer in pieces of `piece` bytes, through the
/// tool's operations on `driver`, in a session of its own, so that runs can
/// follow one another. Standard error is not captured here.
in_process_result run_in_process(std::string_view config, model::model_device& driver,
                                 std::size_t piece = std::string::npos);
