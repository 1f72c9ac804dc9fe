// The driver's side of a link block: open the link's device, read what the
// driver holds, and commit a description. Every request goes through the
// device seam; a failure that ends the run is thrown as run_failure.
#pragma once

#include "driver/device.h"
#include "link/link_description.h"
#include "records.h"

/// Opens "/dev/<name>" for reading and writing and returns its descriptor. A
/// name that does not fit a record's name, or a device that cannot be opened,
/// ends the run.
int open_link_device(device& driver, const char* name);

/// Whether an open of a link's device failed because the link is not there:
/// its device node is missing (ENOENT), or no driver stands behind it (ENXIO,
/// ENODEV); rather than because it could not be reached.
bool no_such_link(int open_error);

/// Reads the link at `fd` into `link.zl`, a record of the description whose
/// list pointers are null: true when the driver has the link, false (and
/// `link.zl` untrusted) when not. A segment or table-lookup entry that
/// cannot be read ends the run.
bool read_link(device& driver, int fd, link_description& link);

/// Sends `link` to the driver at `fd`, the device of the link that the file
/// names `device_name`. Each refused request is reported on standard error; a
/// refused ZLIOCLINK ends the commit, any other the commit goes past. None
/// ends the run. The segments' states are spent.
void commit_link(device& driver, int fd, const char* device_name, link_desc& link);
