// Runs the built zlconf as its own process against the preloaded stand-in
// driver, in a scratch directory, and collects what it left behind.
#pragma once

#include <string>
#include <vector>

struct zlconf_process_run {
    std::string config;            // written to zlconf.conf, the only argument
    std::string state;             // the driver's state before the run
    std::string preload;           // LD_PRELOAD; the stand-in when empty
    std::vector<std::string> env;  // more NAME=value pairs
};

struct zlconf_process_result {
    int status = -1;  // the exit status, or -1 when a signal ended the process
    int signal = 0;
    std::string out;
    std::string err;
    std::string log;     // the stand-in's request log
    std::string report;  // what the run left in the file named by $REPORT, if any
};

/// The environment may name "$REPORT", a file in the scratch directory.
zlconf_process_result run_zlconf_process(const zlconf_process_run& run);
