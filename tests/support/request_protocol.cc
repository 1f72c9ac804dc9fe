#include "request_protocol.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>
#include <utility>

#include "model/log_lines.h"

#include "text/formatting.h"

namespace {

constexpr std::string_view kLimitMessage = "Input string too long, limit 2048\n";
constexpr std::uint32_t kNewSegment = 0x1000;

using model::request_record;
using kind = request_record::kind;

bool is_request(const request_record& r, std::uint32_t code) {
    return r.what == kind::request && r.code == code;
}

// The segment a request names, as sent.
std::optional<std::pair<std::string, std::int32_t>> segment_of(const request_record& r) {
    if (!r.fields || !r.fields->stem) return std::nullopt;
    return std::pair{*r.fields->stem, r.fields->unit.value_or(0)};
}

std::uint32_t flags_of(const request_record& r) {
    return r.fields ? r.fields->flags.value_or(0) : 0;
}

// Walks the log one line at a time through the phases of one block.
class protocol {
public:
    std::string take(const request_record& line, bool last);

private:
    enum class phase {
        closed,
        opened,            // ZLIOGLINK is due
        reading_segments,  // the link was read
        reading_entries,
        fresh,            // ZLIOGLINK failed: ZLIOCLINK is due
        create_failed,    // only the close may come
        segments,         // committing: segment groups, then the link
        segment_added,    // ZLIOASEG sent: its ZLIOSSEG is due
        segment_deleted,  // ZLIODSEG sent: its ZLIOSSEG with flags 0 is due
        entries,          // ZLIOSMODE sent: ZLIOATL or ZLIOELINK
        finished,         // only the close may come
    };

    std::string request(const request_record& line, bool last);

    phase phase_ = phase::closed;
    std::string device_;
    request_record group_;  // the ZLIOASEG or ZLIODSEG of the segment in progress
};

std::string protocol::take(const request_record& line, bool last) {
    if (line.what == kind::open) {
        if (phase_ != phase::closed) return "an open while " + device_ + " is open";
        if (line.error != 0) return last ? "" : "requests after a failed open";
        phase_ = phase::opened;
        device_ = line.who.substr(line.who.rfind('/') + 1);
        return "";
    }
    if (line.who != device_ || phase_ == phase::closed) {
        return "a line for " + line.who + ", which is not the open device";
    }
    if (line.what == kind::close) {
        if (line.error != 0) return "a failed close";
        switch (phase_) {
            case phase::create_failed:
            case phase::finished: phase_ = phase::closed; return "";
            default: return "a close before the commit was complete";
        }
    }
    return request(line, last);
}

std::string protocol::request(const request_record& line, bool last) {
    const char* known = model::known_request(line.code);
    const std::string r = known != nullptr ? known : "an unknown code";
    const bool ok = line.error == 0;
    const bool reading_request = r == "ZLIOGSEG" || r == "ZLIOGTL";
    if (reading_request && !ok && !last) return "requests after a failed " + r;
    switch (phase_) {
        case phase::opened:
            if (r != "ZLIOGLINK") return r + " before ZLIOGLINK";
            phase_ = ok ? phase::reading_segments : phase::fresh;
            return "";
        case phase::reading_segments:
            if (r == "ZLIOGSEG") return "";
            phase_ = phase::reading_entries;
            [[fallthrough]];
        case phase::reading_entries:
            if (r == "ZLIOGTL") return "";
            if (r == "ZLIOCLINK") return "ZLIOCLINK for a link the driver has";
            phase_ = phase::segments;
            return request(line, last);
        case phase::fresh:
            if (r != "ZLIOCLINK") return r + " where ZLIOCLINK was due";
            phase_ = ok ? phase::segments : phase::create_failed;
            return "";
        case phase::create_failed: return r + " after a failed ZLIOCLINK";
        case phase::segments:
            if (r == "ZLIOASEG" || r == "ZLIODSEG") {
                group_ = line;
                phase_ = r == "ZLIOASEG" ? phase::segment_added : phase::segment_deleted;
                return "";
            }
            if (r == "ZLIOSSEG") return "";
            if (r == "ZLIODLINK") {
                phase_ = phase::finished;
                return "";
            }
            if (r == "ZLIOSMODE") {
                phase_ = phase::entries;
                return "";
            }
            return r + " among the segments";
        case phase::segment_added:
        case phase::segment_deleted: {
            if (r != "ZLIOSSEG") return r + " where the segment's ZLIOSSEG was due";
            if (segment_of(line) != segment_of(group_)) return "ZLIOSSEG for another segment";
            const std::uint32_t due =
                phase_ == phase::segment_added ? flags_of(group_) & ~kNewSegment : 0;
            if (flags_of(line) != due) return "ZLIOSSEG with the wrong flags after " + r;
            phase_ = phase::segments;
            return "";
        }
        case phase::entries:
            if (r == "ZLIOATL") return "";
            if (r == "ZLIOELINK") {
                phase_ = phase::finished;
                return "";
            }
            return r + " among the table-lookup entries";
        case phase::finished: return r + " after the commit's last request";
        case phase::closed: break;
    }
    return "a request with no open device";
}

bool ended_by_driver(const std::vector<request_record>& log) {
    if (log.empty()) return false;
    const request_record& last = log.back();
    return last.error != 0 &&
           (last.what == kind::open || is_request(last, ZLIOGSEG) || is_request(last, ZLIOGTL));
}

}  // namespace

std::string request_protocol_violation(const std::vector<request_record>& log) {
    protocol p;
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (std::string why = p.take(log[i], i + 1 == log.size()); !why.empty()) {
            return "line " + std::to_string(i + 1) + " \"" + model::log_line(log[i]) + "\": " + why;
        }
    }
    return "";
}

std::string run_ending_violation(const in_process_result& run) {
    const bool limit = run.out.ends_with(kLimitMessage);
    const bool syntax_error = !run.diagnostics.empty();
    if (ended_by_driver(run.log)) {
        if (run.status != 1) return "a failed open or read did not end the run with status 1";
        if (syntax_error || limit) return "a failed open or read ended a run that had ended";
        return "";
    }
    if (run.status == 0) {
        if (syntax_error || limit) return "status 0 after a syntax error or the limit";
        if (run.device_left_open) return "status 0 with a link device still open";
        if (run.log.empty() || run.log.back().what != kind::close) {
            return "status 0 without the last block's commit";
        }
        return "";
    }
    if (run.status != 1) return "status " + std::to_string(run.status);
    if (!syntax_error && !limit) return "status 1 with no reason given";
    return "";
}

void model::PrintTo(const request_record& record, std::ostream* out) {
    *out << log_line(record);
}
