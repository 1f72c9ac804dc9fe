#include "model/driver_model.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "model/handles.h"
#include "model/link_names.h"
#include "model/record_images.h"

namespace model {

namespace {

int copy_out(void* data, const record_image& image) {
    if (data == nullptr) {
        return EFAULT;
    }
    std::memcpy(data, image.data(), image.size());
    return 0;
}

int read_link(const link_state& link, std::uint32_t slot, void* data, record_fill& fill) {
    return copy_out(
        data, link_record(fill.next(record_kind_written::link), link,
                          first_handle(slot, record_kind::segment, link.segments.size()),
                          first_handle(slot, record_kind::lookup_entry, link.entries.size())));
}

int read_segment(const link_state& link, std::uint32_t slot, std::uint64_t cursor, void* data,
                 record_fill& fill) {
    const auto position = handle_position(cursor, slot, record_kind::segment);
    if (!position || *position >= link.segments.size()) {
        return EINVAL;
    }
    const auto next = handle_after(slot, record_kind::segment, *position, link.segments.size());
    return copy_out(data, segment_record(fill.next(record_kind_written::segment),
                                         link.segments[*position], next));
}

int read_entry(const link_state& link, std::uint32_t slot, std::uint64_t cursor, void* data,
               record_fill& fill) {
    const auto position = handle_position(cursor, slot, record_kind::lookup_entry);
    if (!position || *position >= link.entries.size()) {
        return EINVAL;
    }
    const auto next = handle_after(slot, record_kind::lookup_entry, *position, link.entries.size());
    return copy_out(data, lookup_record(fill.next(record_kind_written::lookup_entry),
                                        link.entries[*position], next));
}

auto find_segment(link_state& link, std::string_view name) {
    return std::find_if(link.segments.begin(), link.segments.end(),
                        [name](const segment_state& segment) { return segment.name == name; });
}

int add_segment(link_state& link, const link_req& request) {
    const std::optional<std::string> name = interface_name_of(request);
    if (!name) {
        return EINVAL;
    }
    if (find_segment(link, *name) != link.segments.end()) {
        return EEXIST;
    }
    if (link.segments.size() >= kMaxListLength) {
        return ENOSPC;
    }
    link.segments.push_back(
        {*name, speed_for_state(request.flags), duplex_for_state(request.flags), request.flags});
    return 0;
}

int set_segment(link_state& link, const link_req& request) {
    const std::optional<std::string> name = interface_name_of(request);
    if (!name) {
        return EINVAL;
    }
    const auto segment = find_segment(link, *name);
    if (segment == link.segments.end()) {
        return ENOENT;
    }
    segment->state = request.flags;
    segment->speed = speed_for_state(request.flags);
    segment->duplex = duplex_for_state(request.flags);
    return 0;
}

int remove_segment(link_state& link, const link_req& request) {
    const std::optional<std::string> name = interface_name_of(request);
    if (!name) {
        return EINVAL;
    }
    const auto segment = find_segment(link, *name);
    if (segment == link.segments.end()) {
        return ENOENT;
    }
    link.segments.erase(segment);
    return 0;
}

// The driver's table maps an address to one member: adding an address it
// already holds moves that entry to the new member, in place, so applying the
// same file again changes nothing.
int add_entry(link_state& link, const link_req& request) {
    const std::optional<std::string> name = interface_name_of(request);
    if (!name) {
        return EINVAL;
    }
    lookup_entry entry;
    std::memcpy(entry.address.data(), request.eaddr, entry.address.size());
    entry.ifname = *name;
    const auto held =
        std::find_if(link.entries.begin(), link.entries.end(),
                     [&entry](const lookup_entry& e) { return e.address == entry.address; });
    if (held != link.entries.end()) {
        held->ifname = std::move(entry.ifname);
        return 0;
    }
    if (link.entries.size() >= kMaxListLength) {
        return ENOSPC;
    }
    link.entries.push_back(std::move(entry));
    return 0;
}

}  // namespace

int driver_model::create_link(std::string_view device) {
    if (links_.contains(device)) {
        return EEXIST;
    }
    links_.emplace(std::string(device), empty_link(device));
    return 0;
}

// The driver's commit sequence ends every segment with a ZLIOSSEG, so one with
// flags 0 follows each ZLIODSEG; the driver accepts it for the segment just
// removed, changing nothing.
bool driver_model::settles_removal(std::string_view device, std::uint32_t code,
                                   const link_req& request) {
    const bool settles = code == ZLIOSSEG && request.flags == 0 && device == removed_device_ &&
                         interface_name_of(request) == removed_segment_;
    removed_device_.clear();
    removed_segment_.clear();
    if (code == ZLIODSEG) {
        if (const std::optional<std::string> name = interface_name_of(request)) {
            removed_device_ = device;
            removed_segment_ = *name;
        }
    }
    return settles;
}

void driver_model::replace_link(std::string_view device, std::optional<link_state> link) {
    const auto found = links_.find(device);
    if (found != links_.end()) {
        links_.erase(found);
    }
    if (link) {
        links_.emplace(std::string(device), std::move(*link));
    }
}

int driver_model::handle(std::string_view device, std::uint32_t code, const link_req& request) {
    if (settles_removal(device, code, request)) {
        return removed_segment_error_;
    }
    const int result = carry_out(device, code, request);
    if (result != 0) {
        removed_device_.clear();
        removed_segment_.clear();
    }
    return result;
}

int driver_model::carry_out(std::string_view device, std::uint32_t code, const link_req& request) {
    if (request_name(code) == nullptr) {
        return EINVAL;
    }
    if (code == ZLIOCLINK) {
        return create_link(device);
    }
    const auto found = links_.find(device);
    if (found == links_.end()) {
        return ENXIO;
    }
    link_state& link = found->second;
    const std::uint32_t slot = link_device_slot(device);
    switch (code) {
        case ZLIOGLINK: return read_link(link, slot, request.data, fill_);
        case ZLIOGSEG: return read_segment(link, slot, request.cursor, request.data, fill_);
        case ZLIOGTL: return read_entry(link, slot, request.cursor, request.data, fill_);
        case ZLIOASEG: return add_segment(link, request);
        case ZLIOSSEG: return set_segment(link, request);
        case ZLIODSEG: return remove_segment(link, request);
        case ZLIOATL: return add_entry(link, request);
        case ZLIOSMODE: link.mode = request.flags; return 0;
        case ZLIODLINK: links_.erase(found); return 0;
        case ZLIOELINK: return 0;
        default: return EINVAL;
    }
}

}  // namespace model
