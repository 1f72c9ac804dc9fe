#include <cstdio>
#include <string>

#include "link/link_report.h"
#include "run_failure.h"
#include "session.h"

// Names are printed bounded by their field: one the driver wrote may lack its
// NUL. The report is gathered and written in one go, so that it reaches
// standard error whole.
void session::link_opt_dumpinfo() {
    if (zl == nullptr) throw run_failure(1, stderr, "\tZLC\t\t %d internal error \n", 639);
    const std::string report = link_report(snapshot_of(*zl), {});
    std::fwrite(report.data(), 1, report.size(), stderr);
}
