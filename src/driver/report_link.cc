#include <cstdio>

#include "globals.h"
#include "link_driver.h"
#include "run_failure.h"

// Names are printed bounded by their field: one the driver wrote may lack its NUL.
void link_opt_dumpinfo() {
    if (zl == nullptr) throw run_failure(1, stderr, "\tZLC\t\t %d internal error \n", 639);
    const int field = static_cast<int>(kNameField);
    std::fprintf(stderr, "Zelnar %.*s   mode 0x%08x\n", field, zl->name, zl->mode);
    for (const seg_desc* seg = zl->segs; seg != nullptr; seg = seg->next) {
        std::fprintf(stderr, "  Segment %.*s speed %d duplex %d state 0x%08x\n", field, seg->name,
                     seg->speed, seg->duplex, seg->state);
    }
    if (zl->ttls == nullptr) return;
    std::fputs("Table Lookup addresses\n", stderr);
    for (const ttl_entry* e = zl->ttls; e != nullptr; e = e->next) {
        std::fprintf(stderr, "  %02x:%02x:%02x:%02x:%02x:%02x\tLink %.*s\n", e->eaddr[0],
                     e->eaddr[1], e->eaddr[2], e->eaddr[3], e->eaddr[4], e->eaddr[5], field,
                     e->ifname);
    }
}
