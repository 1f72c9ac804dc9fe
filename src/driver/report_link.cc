#include <algorithm>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <string>

#include "run_failure.h"
#include "session.h"

namespace {

// Appends one formatted line; names are bounded by their field, so a line
// never comes near the buffer's size.
// Variadic as printf is, so that the compiler checks each format.
// NOLINTNEXTLINE(cert-dcl50-cpp)
__attribute__((format(printf, 2, 3))) void append(std::string& text, const char* format, ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (length > 0) text.append(line, std::min(static_cast<std::size_t>(length), sizeof line - 1));
}

}  // namespace

// Names are printed bounded by their field: one the driver wrote may lack its
// NUL. The report is gathered and written in one go, so that it reaches
// standard error whole.
void session::link_opt_dumpinfo() {
    if (zl == nullptr) throw run_failure(1, stderr, "\tZLC\t\t %d internal error \n", 639);
    const int field = static_cast<int>(kNameField);
    std::string report;
    append(report, "Zelnar %.*s   mode 0x%08x\n", field, zl->name, zl->mode);
    for (const seg_desc* seg = zl->segs; seg != nullptr; seg = seg->next) {
        append(report, "  Segment %.*s speed %d duplex %d state 0x%08x\n", field, seg->name,
               seg->speed, seg->duplex, seg->state);
    }
    if (zl->ttls != nullptr) {
        report += "Table Lookup addresses\n";
        for (const ttl_entry* e = zl->ttls; e != nullptr; e = e->next) {
            append(report, "  %02x:%02x:%02x:%02x:%02x:%02x\tLink %.*s\n", e->eaddr[0], e->eaddr[1],
                   e->eaddr[2], e->eaddr[3], e->eaddr[4], e->eaddr[5], field, e->ifname);
        }
    }
    std::fwrite(report.data(), 1, report.size(), stderr);
}
