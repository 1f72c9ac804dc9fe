// The operations that talk to the driver: opening and reading a link at its
// name, printing it at DUMPINFO, committing it at its END.
#pragma once

/// Opens "/dev/<name>", makes `zl` and fills it from the driver, or fresh for a
/// link the driver does not have. A device that cannot be opened, or a segment
/// or table-lookup entry that cannot be read, ends the run with status 1.
void set_linkname(const char* name);

/// Reads the link at `linkfp` into `zl`: 1 when the driver has it, 0 when not.
int getlinkinfo();

/// Sends `zl` to the driver, then releases it and closes the device. Each
/// refused request is reported on standard error; a refused ZLIOCLINK ends
/// the commit, any other the commit goes past. None ends the run.
void close_link();

/// Prints `zl` as it stands on standard error.
void link_opt_dumpinfo();
