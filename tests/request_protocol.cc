#include "request_protocol.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "text/quoted.h"

namespace {

constexpr std::string_view kLimitMessage = "Input string too long, limit 2048\n";
constexpr std::uint32_t kNewSegment = 0x1000;

// One line of the stand-in's log, taken apart.
struct log_line {
    enum kind { open, request, close } what = request;
    std::string device;
    std::string request_name;  // for requests
    std::string name_fields;   // " name=.. unit=.." of a segment request
    std::uint32_t flags = 0;
    bool has_flags = false;
    bool ok = true;
};

std::optional<std::string_view> field(std::string_view line, std::string_view key) {
    const std::size_t at = line.find(quoted(key, " ", "="));
    if (at == std::string_view::npos) return std::nullopt;
    const std::size_t from = at + key.size() + 2;
    return line.substr(from, line.find(' ', from) - from);
}

log_line parse(std::string_view text) {
    log_line line;
    const std::size_t arrow = text.rfind(" -> ");
    line.ok = arrow == std::string_view::npos || text.substr(arrow + 4) == "ok";
    const std::string_view head = text.substr(0, arrow);
    const std::size_t space = head.find(' ');
    const std::string_view first = head.substr(0, space);
    const std::string_view rest = space == std::string_view::npos ? "" : head.substr(space + 1);
    if (first == "open") {
        line.what = log_line::open;
        const std::string_view path = rest.substr(0, rest.find(' '));
        line.device = std::string(path.substr(path.rfind('/') + 1));
        return line;
    }
    if (first == "close") {
        line.what = log_line::close;
        line.device = std::string(rest.substr(0, rest.find(' ')));
        return line;
    }
    line.device = std::string(first);
    line.request_name = std::string(rest.substr(0, rest.find(' ')));
    const auto name = field(head, "name");
    const auto unit = field(head, "unit");
    if (name && unit) line.name_fields = std::string(*name) + "/" + std::string(*unit);
    if (const auto flags = field(head, "flags")) {
        line.flags = static_cast<std::uint32_t>(std::stoul(std::string(*flags), nullptr, 16));
        line.has_flags = true;
    }
    return line;
}

// Walks the log one line at a time through the phases of one block.
class protocol {
public:
    std::string take(const log_line& line, bool last);

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

    std::string request(const log_line& line, bool last);

    phase phase_ = phase::closed;
    std::string device_;
    log_line group_;  // the ZLIOASEG or ZLIODSEG of the segment in progress
};

std::string protocol::take(const log_line& line, bool last) {
    if (line.what == log_line::open) {
        if (phase_ != phase::closed) return "an open while " + device_ + " is open";
        if (!line.ok) return last ? "" : "requests after a failed open";
        phase_ = phase::opened;
        device_ = line.device;
        return "";
    }
    if (line.device != device_ || phase_ == phase::closed) {
        return "a line for " + line.device + ", which is not the open device";
    }
    if (line.what == log_line::close) {
        if (!line.ok) return "a failed close";
        switch (phase_) {
            case phase::create_failed:
            case phase::finished: phase_ = phase::closed; return "";
            default: return "a close before the commit was complete";
        }
    }
    return request(line, last);
}

std::string protocol::request(const log_line& line, bool last) {
    const std::string& r = line.request_name;
    const bool reading_request = r == "ZLIOGSEG" || r == "ZLIOGTL";
    if (reading_request && !line.ok && !last) return "requests after a failed " + r;
    switch (phase_) {
        case phase::opened:
            if (r != "ZLIOGLINK") return r + " before ZLIOGLINK";
            phase_ = line.ok ? phase::reading_segments : phase::fresh;
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
            phase_ = line.ok ? phase::segments : phase::create_failed;
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
            if (line.name_fields != group_.name_fields) return "ZLIOSSEG for another segment";
            const std::uint32_t due =
                phase_ == phase::segment_added ? group_.flags & ~kNewSegment : 0;
            if (line.flags != due) return "ZLIOSSEG with the wrong flags after " + r;
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

bool ended_by_driver(const std::vector<std::string>& log) {
    if (log.empty()) return false;
    const log_line last = parse(log.back());
    return !last.ok && (last.what == log_line::open || last.request_name == "ZLIOGSEG" ||
                        last.request_name == "ZLIOGTL");
}

bool ends_with(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

std::string request_protocol_violation(const std::vector<std::string>& log) {
    protocol p;
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (std::string why = p.take(parse(log[i]), i + 1 == log.size()); !why.empty()) {
            return "line " + std::to_string(i + 1) + " \"" + log[i] + "\": " + why;
        }
    }
    return "";
}

std::string run_ending_violation(const in_process_result& run) {
    const bool limit = ends_with(run.out, kLimitMessage);
    const bool syntax_error = !run.diagnostics.empty();
    if (ended_by_driver(run.log)) {
        if (run.status != 1) return "a failed open or read did not end the run with status 1";
        if (syntax_error || limit) return "a failed open or read ended a run that had ended";
        return "";
    }
    if (run.status == 0) {
        if (syntax_error || limit) return "status 0 after a syntax error or the limit";
        if (run.device_left_open) return "status 0 with a link device still open";
        if (run.log.empty() || parse(run.log.back()).what != log_line::close) {
            return "status 0 without the last block's commit";
        }
        return "";
    }
    if (run.status != 1) return "status " + std::to_string(run.status);
    if (!syntax_error && !limit) return "status 1 with no reason given";
    return "";
}
