#include "plan/text_report.h"

#include <cstdio>
#include <cstring>
#include <map>

#include "driver/requests.h"
#include "plan/bit_names.h"
#include "plan/request_text.h"
#include "plan/syntax_message.h"
#include "standin/number_text.h"

namespace plan {

namespace {

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

std::string with_bits(const std::vector<std::string>& names) {
    return names.empty() ? std::string() : "  " + joined_bits(names);
}

std::string indented(const std::string& text, const char* indent) {
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        out += indent + text.substr(start, end - start) + "\n";
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

std::string entries_text(const std::vector<std::string>& lines) {
    if (lines.empty()) return {};
    std::string out = "      Table Lookup addresses\n";
    for (const std::string& line : lines) out += "        " + line + "\n";
    return out;
}

// The description as read, in DUMPINFO's form with the bits named.
std::string read_text(const link_snapshot& link) {
    std::string out = format("    Zelnar %s   mode 0x%08x", link.name.c_str(), link.mode) +
                      with_bits(mode_bits(link.mode)) + "\n";
    for (const segment_snapshot& seg : link.segments) {
        out += format("      Segment %s speed %d duplex %d state 0x%08x", seg.name.c_str(),
                      seg.speed, seg.duplex, seg.state) +
               with_bits(state_bits(seg.state)) + "\n";
    }
    std::vector<std::string> entries;
    for (const entry_snapshot& e : link.entries) {
        entries.push_back(standin::ether_address_text(e.address) + "  Link " + e.ifname);
    }
    return out + entries_text(entries);
}

// The link as the driver would report it after the commit.
std::string after_text(const standin::link_state& link) {
    const std::uint32_t mode = link.mode | ZLM_EXISTS;
    std::string out = format("    Zelnar %s   mode 0x%08x", link.record_name.c_str(), mode) +
                      with_bits(mode_bits(mode)) + "\n";
    for (const standin::segment_state& seg : link.segments) {
        const std::uint32_t state = seg.state | ZLS_EXISTS;
        out += format("      Segment %s state 0x%08x", seg.name.c_str(), state) +
               with_bits(state_bits(state)) + "\n";
    }
    std::vector<std::string> entries;
    for (const standin::lookup_entry& e : link.entries) {
        entries.push_back(standin::ether_address_text(e.address) + "  Link " + e.ifname);
    }
    return out + entries_text(entries);
}

std::string reads_text(const std::vector<std::uint32_t>& reads) {
    std::map<std::uint32_t, int> counts;
    for (const std::uint32_t code : reads) ++counts[code];
    std::string out;
    for (const std::uint32_t code : {ZLIOGLINK, ZLIOGSEG, ZLIOGTL}) {
        if (counts[code] == 0) continue;
        if (!out.empty()) out += ", ";
        out += request_name(code);
        if (counts[code] > 1) out += format(" x%d", counts[code]);
    }
    return out;
}

std::string link_text(const whole_plan& plan, const link_plan& link) {
    std::string out =
        format("link %s (%s:%d)\n", link.device.c_str(), plan.input.c_str(), link.at.line);
    if (!link.read_done) return out + "  not read: the run stops while opening or reading it\n";

    if (link.predicted) {
        out += "  read: predicted from the blocks above, as zlconf would find it then\n";
    } else if (link.found) {
        out += "  read from the driver with " + reads_text(link.reads) + "\n";
    } else {
        out += "  read: ZLIOGLINK found no such link; it starts new and is created at its end\n";
    }
    out += read_text(link.read);
    for (const dumpinfo_report& d : link.dumpinfos) {
        out += format("  dumpinfo at line %d prints:\n", d.at.line);
        out += indented(dumpinfo_text(d.link), "    ");
    }
    if (!link.committed) return out + "  not committed: the run stops before this block's end\n";

    out += format("  requests at its end, line %d:\n", link.end.line);
    int number = 0;
    for (const recorded_request& r : link.requests) {
        out += format("    %2d  ", ++number) + request_text(r) + "\n";
    }
    if (link.after) return out + "  afterwards the driver holds:\n" + after_text(*link.after);
    return out + format("  afterwards the driver no longer has %s\n", link.device.c_str());
}

std::string at_text(const whole_plan& plan, const source_point& at) {
    if (at.column <= 0) return format("%s:%d: ", plan.input.c_str(), at.line);
    return format("%s:%d:%d: ", plan.input.c_str(), at.line, at.column);
}

std::size_t committed_count(const whole_plan& plan) {
    std::size_t count = 0;
    for (const link_plan& link : plan.links) count += link.committed ? 1 : 0;
    return count;
}

}  // namespace

std::string failure_text(const read_failure& failure) {
    if (failure.code == 0) {
        return format("open /dev/%s failed: %s", failure.device.c_str(),
                      std::strerror(failure.error));
    }
    const char* what = failure.code == ZLIOGSEG ? "segment" : "table-lookup entry";
    return format("%s failed reading %s %zu: %s", request_name(failure.code), what, failure.ordinal,
                  std::strerror(failure.error));
}

std::string stop_note(const whole_plan& plan) {
    if (plan.outcome == outcome::accepted) return {};
    const std::size_t committed = committed_count(plan);
    std::string note = "zlconf stops here with \"" + plan.zlconf_message + "\" and status 1; ";
    note += committed == 0 ? std::string("no link block is committed")
                           : format("the %zu link block(s) before it stay committed", committed);
    if (!plan.links.empty() && !plan.links.back().committed) {
        note += format(", and %s (line %d) is not", plan.links.back().device.c_str(),
                       plan.links.back().at.line);
    }
    return note;
}

std::string plan_text(const whole_plan& plan) {
    std::string out = "Plan for " + plan.input +
                      "\nWhat zlconf would do if the driver accepted every request; nothing has "
                      "been sent.\n";
    for (const link_plan& link : plan.links) out += "\n" + link_text(plan, link);
    out += "\n";
    std::size_t requests = 0;
    for (const link_plan& link : plan.links) requests += link.requests.size();
    if (plan.outcome == outcome::accepted) {
        return out + format(
                         "zlconf would commit %zu link block(s) with %zu request(s) and "
                         "exit with status 0, reporting any request the driver refuses.\n",
                         committed_count(plan), requests);
    }
    return out + format(
                     "zlconf would stop at line %d with status 1 (see the diagnostics), "
                     "after %zu request(s) that change the driver.\n",
                     plan.stop ? plan.stop->line : 0, requests);
}

std::string diagnostics_text(const whole_plan& plan) {
    std::string out;
    for (const ignored_text& t : plan.ignored) {
        out += at_text(plan, {t.line, t.column}) + "warning: '" + t.text +
               "' forms no token; zlconf copies it to standard output and otherwise ignores "
               "it\n";
    }
    if (plan.outcome == outcome::accepted || !plan.stop) return out;
    const std::string at = at_text(plan, *plan.stop);
    switch (plan.outcome) {
        case outcome::syntax_error:
            out += at + plan.syntax->message + "\n";
            out += caret_lines(plan.syntax->source_line, plan.syntax->at.column);
            if (!plan.syntax->hint.empty()) out += at + "hint: " + plan.syntax->hint + "\n";
            break;
        case outcome::read_failure:
            out += at + "link " + plan.failure->device + ": " + failure_text(*plan.failure) + "\n";
            break;
        case outcome::too_long:
            out += at + "a run of blanks or a comment longer than 2048 characters\n";
            break;
        case outcome::accepted: break;
    }
    return out + at + "note: " + stop_note(plan) + "\n";
}

}  // namespace plan
