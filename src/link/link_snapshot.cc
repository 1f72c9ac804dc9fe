#include "link/link_snapshot.h"

#include <cstring>
#include <utility>

namespace {

// A name the driver wrote may fill its field without a NUL.
std::string field_text(const char* field) {
    return {field, strnlen(field, kNameField)};
}

}  // namespace

link_snapshot snapshot_of(const link_desc& link) {
    link_snapshot snapshot;
    snapshot.name = field_text(link.name);
    snapshot.mode = link.mode;
    for (const seg_desc* seg = link.segs; seg != nullptr; seg = seg->next) {
        snapshot.segments.push_back({field_text(seg->name), seg->speed, seg->duplex, seg->state});
    }
    for (const ttl_entry* e = link.ttls; e != nullptr; e = e->next) {
        entry_snapshot entry;
        std::memcpy(entry.address.data(), e->eaddr, entry.address.size());
        entry.ifname = field_text(e->ifname);
        entry.installed = e->installed != 0;
        snapshot.entries.push_back(std::move(entry));
    }
    return snapshot;
}
