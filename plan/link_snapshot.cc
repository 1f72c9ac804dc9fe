#include "plan/link_snapshot.h"

#include <cstdio>
#include <cstring>

#include "model/name_text.h"

namespace plan {

using model::name_for_display;

namespace {

// A name the driver wrote may fill its field without a NUL.
std::string field_text(const char* field) {
    return std::string(field, strnlen(field, kNameField));
}

template <typename... Args>
void append_format(std::string& out, const char* format, Args... args) {
    char line[512];
    std::snprintf(line, sizeof line, format, args...);
    out += line;
}

}  // namespace

link_snapshot snapshot_of_zl(const link_desc* zl) {
    link_snapshot link;
    link.name = field_text(zl->name);
    link.mode = zl->mode;
    for (const seg_desc* seg = zl->segs; seg != nullptr; seg = seg->next) {
        link.segments.push_back({field_text(seg->name), seg->speed, seg->duplex, seg->state});
    }
    for (const ttl_entry* e = zl->ttls; e != nullptr; e = e->next) {
        entry_snapshot entry;
        std::memcpy(entry.address.data(), e->eaddr, entry.address.size());
        entry.ifname = field_text(e->ifname);
        entry.installed = e->installed != 0;
        link.entries.push_back(std::move(entry));
    }
    return link;
}

std::string dumpinfo_text(const link_snapshot& link) {
    std::string out;
    append_format(out, "Zelnar %s   mode 0x%08x\n", name_for_display(link.name).c_str(), link.mode);
    for (const segment_snapshot& seg : link.segments) {
        append_format(out, "  Segment %s speed %d duplex %d state 0x%08x\n",
                      name_for_display(seg.name).c_str(), seg.speed, seg.duplex, seg.state);
    }
    if (link.entries.empty()) return out;
    out += "Table Lookup addresses\n";
    for (const entry_snapshot& e : link.entries) {
        const auto& a = e.address;
        append_format(out, "  %02x:%02x:%02x:%02x:%02x:%02x\tLink %s\n", a[0], a[1], a[2], a[3],
                      a[4], a[5], name_for_display(e.ifname).c_str());
    }
    return out;
}

}  // namespace plan
