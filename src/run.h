// One run of zlconf, from the command line to the exit status.
#pragma once

#include <cstdio>

#include "config/byte_source.h"

/// Attaches the configuration file to standard input, parses it once and
/// returns the exit status: 0 accepted, 1 a syntax error, a failure that
/// ended the run or output that could not be written, 2 the input could not be
/// opened or read.
int zlconf_main(int argc, char** argv);

/// Parses `input` once in a session of its own. Echoed characters go to `out`,
/// the syntax error line to `diagnostics`; a failure that ends the run is
/// written where it belongs. Returns the exit status. In-process runs (tests,
/// fuzzing) come in here.
int configure(byte_source& input, std::FILE* out, std::FILE* diagnostics);

class session;
/// The same in a session made by the caller, which may look into it afterwards.
int configure(session& run, std::FILE* diagnostics);
