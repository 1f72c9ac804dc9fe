// One run of zlconf, from the command line to the exit status.
#pragma once

/// Attaches the configuration file to standard input, parses it once and
/// returns the exit status: 0 accepted, 1 a syntax error or a failure that
/// ended the run, 2 the input could not be opened or read.
int zlconf_main(int argc, char** argv);
