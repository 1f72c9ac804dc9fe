#include "plan/planning_device.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "model/link_names.h"
#include "model/name_text.h"
#include "plan/link_changes.h"

namespace plan {

namespace {

constexpr std::string_view kDevicePrefix = "/dev/";

bool names_segment(std::uint32_t code) {
    return code == ZLIOASEG || code == ZLIOSSEG || code == ZLIODSEG;
}

bool is_read(std::uint32_t code) {
    return code == ZLIOGLINK || code == ZLIOGSEG || code == ZLIOGTL;
}

int failed(int error) {
    errno = error;
    return -1;
}

std::string field_text(const char* field) {
    return std::string(model::name_in_field(field, kNameField));
}

}  // namespace

int planning_device::open(const char* path, int flags) {
    std::string_view device_name(path);
    if (device_name.starts_with(kDevicePrefix)) device_name.remove_prefix(kDevicePrefix.size());
    last_ = std::make_shared<link_visit>();
    last_->device = device_name;
    last_->predicted = committed_.contains(last_->device);
    const int fd = real_.open(path, flags);
    if (fd < 0) {
        failure_ = read_failure{last_->device, 0, 0, errno};
        return fd;
    }
    open_[fd] = last_;
    return fd;
}

int planning_device::ioctl(int fd, unsigned long request, void* arg) {
    const auto found = open_.find(fd);
    if (found == open_.end()) return failed(EBADF);
    link_visit& visit = *found->second;
    const auto code = static_cast<std::uint32_t>(request);
    if (code != request || request_name(code) == nullptr) return failed(EINVAL);
    if (is_read(code)) return read(visit, fd, code, *static_cast<link_req*>(arg));

    recorded_request recorded{code, {}, ++visit.sent};
    if ((code & kDirIn) != 0 && arg != nullptr) {
        std::memcpy(&recorded.fields, arg, sizeof recorded.fields);
        recorded.fields.cursor = 0;
        recorded.fields.data = nullptr;
    }
    if (!every_request_ && names_segment(code) && leaves_segment_as_is(visit, recorded)) {
        ++visit.unchanged;
        return 0;
    }
    visit.requests.push_back(recorded);
    return 0;
}

// A ZLIOSSEG that sets the next segment read to the state, and so the speed
// and duplex, that it was read with. A request for it of any other kind
// passes it by, so that what follows for it is listed.
bool planning_device::leaves_segment_as_is(link_visit& visit, const recorded_request& r) {
    if (visit.next_unsent == visit.segments_read.size()) return false;
    const model::segment_state& seg = visit.segments_read[visit.next_unsent];
    const auto name = model::interface_name_of(r.fields);
    if (!name || *name != seg.name) return false;
    ++visit.next_unsent;
    const std::uint32_t flags = r.fields.flags;
    return r.code == ZLIOSSEG && (seg.state | ZLS_EXISTS) == (flags | ZLS_EXISTS) &&
           seg.speed == model::speed_for_state(flags) &&
           seg.duplex == model::duplex_for_state(flags);
}

int planning_device::read(link_visit& visit, int fd, std::uint32_t code, link_req& request) {
    int result;
    int error = 0;
    if (visit.predicted) {
        error = predicted_.handle(visit.device, code, request);
        result = error == 0 ? 0 : failed(error);
    } else {
        result = real_.ioctl(fd, code, &request);
        error = errno;
    }
    if (result == 0) {
        note_read(visit, code, request);
        return 0;
    }
    if (code == ZLIOGLINK) {
        visit.not_found_error = error;
    } else {
        const std::size_t done = code == ZLIOGSEG ? visit.reads.segments : visit.reads.entries;
        failure_ = read_failure{visit.device, code, done + 1, error};
    }
    errno = error;
    return result;
}

// Counts the read, keeps the segments for leaves_segment_as_is, and
// keeps what the driver reported, to start the prediction from.
void planning_device::note_read(link_visit& visit, std::uint32_t code,
                                const link_req& request) const {
    if (code == ZLIOGLINK) {
        ++visit.reads.links;
        visit.found = true;
    } else if (code == ZLIOGSEG) {
        ++visit.reads.segments;
    } else {
        ++visit.reads.entries;
    }
    if (code == ZLIOGSEG && !every_request_) {
        const auto* seg = static_cast<const seg_desc*>(request.data);
        visit.segments_read.push_back({field_text(seg->name), seg->speed, seg->duplex, seg->state});
    }
    if (visit.predicted) return;
    if (code == ZLIOGLINK) {
        const auto* link = static_cast<const link_desc*>(request.data);
        visit.driver_read =
            model::link_state{field_text(link->name), link->mode & ~ZLM_EXISTS, {}, {}};
    } else if (code == ZLIOGSEG && visit.driver_read) {
        const auto* seg = static_cast<const seg_desc*>(request.data);
        visit.driver_read->segments.push_back(
            {field_text(seg->name), seg->speed, seg->duplex, seg->state & ~ZLS_EXISTS});
    } else if (code == ZLIOGTL && visit.driver_read) {
        const auto* entry = static_cast<const ttl_entry*>(request.data);
        model::lookup_entry copy;
        std::memcpy(copy.address.data(), entry->eaddr, copy.address.size());
        copy.ifname = field_text(entry->ifname);
        visit.driver_read->entries.push_back(std::move(copy));
    }
}

// The link's requests are done: carry them out on the prediction.
int planning_device::close(int fd) {
    const auto found = open_.find(fd);
    if (found == open_.end()) return failed(EBADF);
    const std::shared_ptr<link_visit> kept = found->second;
    link_visit& visit = *kept;
    open_.erase(found);
    if (!visit.predicted) predicted_.replace_link(visit.device, visit.driver_read);
    std::optional<model::link_state> before;
    if (const auto was = predicted_.state().find(visit.device);
        !states_only_ && was != predicted_.state().end()) {
        before = was->second;
    }
    for (const recorded_request& r : visit.requests) {
        predicted_.handle(visit.device, r.code, r.fields);
    }
    committed_.insert(visit.device);
    visit.segments_read.clear();
    const auto after = predicted_.state().find(visit.device);
    if (after != predicted_.state().end()) {
        visit.exists_after = true;
        visit.segments_after = after->second.segments.size();
        visit.entries_after = after->second.entries.size();
        if (every_request_ || states_only_) visit.after = after->second;
    }
    if (!states_only_) {
        visit.changes =
            link_changes(before, visit.exists_after ? std::optional(after->second) : std::nullopt);
    }
    return real_.close(fd);
}

}  // namespace plan
