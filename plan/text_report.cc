#include "plan/text_report.h"

#include <array>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <utility>

#include "driver/link_driver.h"
#include "driver/requests.h"
#include "model/link_names.h"
#include "model/name_text.h"
#include "model/number_text.h"
#include "plan/link_changes.h"
#include "plan/request_text.h"
#include "plan/syntax_message.h"
#include "report/link_report.h"

namespace plan {

using model::name_for_display;

namespace {

// As long as the text is: a path or a name may be of any length.
template <typename... Args>
std::string format(const char* pattern, Args... args) {
    std::array<char, 256> line;
    const int length = std::snprintf(line.data(), line.size(), pattern, args...);
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < line.size())
        return {line.data(), static_cast<std::size_t>(length)};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern, args...);
    text.pop_back();
    return text;
}

// What a DUMPINFO prints, within the plan; the description as read, and as
// the driver would report it after the commit, with the bits named.
constexpr report_style kDumpinfoStyle = {name_for_display, report_form::dumpinfo, "    "};
constexpr report_style kReadStyle = {name_for_display, report_form::outline, "    "};
constexpr report_style kAfterStyle = {name_for_display, report_form::outline, "    ", false};

std::string counted(std::size_t count, const char* one, const char* more) {
    return format("%zu %s", count, count == 1 ? one : more);
}

std::string reads_text(const read_counts& reads) {
    std::string out;
    const std::pair<std::uint32_t, std::size_t> counts[] = {
        {ZLIOGLINK, reads.links}, {ZLIOGSEG, reads.segments}, {ZLIOGTL, reads.entries}};
    for (const auto& [code, count] : counts) {
        if (count == 0) continue;
        if (!out.empty()) out += ", ";
        out += request_name(code);
        if (count > 1) out += format(" x%zu", count);
    }
    return out;
}

std::string size_text(std::size_t segments, std::size_t entries) {
    return counted(segments, "segment", "segments") + ", " +
           counted(entries, "table-lookup entry", "table-lookup entries");
}

std::string how_read(const link_plan& link) {
    if (link.predicted) {
        std::string out = "  read: predicted from the blocks above, as zlconf would find it then";
        if (link.read) return out + "\n";
        return out + " (" + size_text(link.reads.segments, link.reads.entries) + ")\n";
    }
    if (link.found) return "  read from the driver with " + reads_text(link.reads) + "\n";
    if (no_such_link(link.not_found_error)) {
        return "  read: ZLIOGLINK found no such link; it starts new and is created at its end\n";
    }
    return format(
        "  read: ZLIOGLINK failed: %s; zlconf takes that as no such link, so it starts new "
        "and is created at its end\n",
        std::strerror(link.not_found_error));
}

std::string unchanged_text(const link_plan& link) {
    if (link.unchanged == 0) return {};
    return "    and " + counted(link.unchanged, "ZLIOSSEG that leaves", "ZLIOSSEGs that leave") +
           " a segment as it is (--full lists every request)\n";
}

std::string after_summary(const link_plan& link) {
    if (link.after) {
        return "  afterwards the driver holds:\n" +
               link_report(model::snapshot_as_read(*link.after), kAfterStyle);
    }
    if (link.exists_after) {
        return "  afterwards the driver holds " + link.device + " with " +
               size_text(link.segments_after, link.entries_after) + "\n";
    }
    return "  afterwards the driver no longer has " + link.device + "\n";
}

// Up to the block's DUMPINFOs; all of it for a link that was not read.
std::string link_head(const whole_plan& plan, const link_plan& link) {
    std::string out =
        "link " + link.device + " (" + plan.input + ":" + std::to_string(link.at.line) + ")\n";
    if (!link.read_done) return out + "  not read: the run stops while opening or reading it\n";
    out += how_read(link);
    if (link.read) out += link_report(*link.read, kReadStyle);
    return out;
}

// After the DUMPINFOs, up to the requests.
std::string link_middle(const link_plan& link) {
    if (!link.read_done) return {};
    if (!link.committed) return "  not committed: the run stops before this block's end\n";
    return "  changes: " + changes_text(link.changes, link.on_the_way) + "\n" +
           format("  requests at its end, line %" PRId64 ":\n", link.end.line);
}

std::string at_text(const whole_plan& plan, const source_point& at) {
    std::string out = plan.input + ":" + std::to_string(at.line) + ":";
    if (at.column > 0) out += std::to_string(at.column) + ":";
    return out + " ";
}

std::string summary_text(const whole_plan& plan) {
    if (plan.outcome == outcome::accepted) {
        return format(
            "\nzlconf would commit %zu link block(s) with %zu request(s) and exit with status "
            "0, reporting any request the driver refuses (but the ZLIOSSEG that ends a "
            "removed segment).\n",
            plan.committed, plan.requests);
    }
    return format("\nzlconf would stop at line %" PRId64
                  " with status 1 (see the diagnostics), after %zu "
                  "request(s) that change the driver.\n",
                  plan.stop ? plan.stop->line : std::int64_t{0}, plan.requests);
}

}  // namespace

std::string failure_text(const read_failure& failure) {
    if (failure.code == 0) {
        return "open /dev/" + failure.device + " failed: " + std::strerror(failure.error);
    }
    const char* what = failure.code == ZLIOGSEG ? "segment" : "table-lookup entry";
    return format("%s failed reading %s %zu: %s", request_name(failure.code), what, failure.ordinal,
                  std::strerror(failure.error));
}

std::string stop_note(const whole_plan& plan) {
    if (plan.outcome == outcome::accepted) return {};
    std::string note = "zlconf stops here with \"" + plan.zlconf_message + "\" and status 1; ";
    note += plan.committed == 0
                ? std::string("no link block is committed")
                : format("the %zu link block(s) before it stay committed", plan.committed);
    if (plan.block && !plan.block->committed) {
        note += ", and " + plan.block->device + " (line " + std::to_string(plan.block->at.line) +
                ") is not";
    }
    return note;
}

std::string warning_text(const whole_plan& plan, const plan_warning& w) {
    return at_text(plan, w.at) + (w.note ? "note: " : "warning: ") + w.text + "\n";
}

std::string stop_text(const whole_plan& plan) {
    if (plan.outcome == outcome::accepted || !plan.stop) return {};
    std::string out;
    const std::string at = at_text(plan, *plan.stop);
    switch (plan.outcome) {
        case outcome::syntax_error:
            out += at + plan.syntax->message + "\n";
            out += caret_lines(plan.syntax->source_line, plan.syntax->caret_column);
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

text_output::text_output(std::FILE* out, std::FILE* diagnostics)
    : out_(out), diagnostics_(diagnostics) {}

void text_output::put(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

void text_output::begin(const whole_plan& plan) {
    put(out_, "Plan for " + plan.input +
                  "\nWhat zlconf would do if the driver accepted every request; nothing has "
                  "been sent.\n");
    if (!plan.driver.empty()) put(out_, "Checked without a driver: " + plan.driver + ".\n");
}

void text_output::link_read(const whole_plan& plan, const link_plan& link) {
    put(out_, "\n" + link_head(plan, link));
    head_written_ = true;
}

void text_output::dumpinfo(const whole_plan&, const link_plan&, const dumpinfo_report& report) {
    put(out_, "  dumpinfo at line " + std::to_string(report.at.line) + " prints:\n" +
                  link_report(report.link, kDumpinfoStyle));
}

// A request at a time: one block may hold as many as the file has statements.
void text_output::link(const whole_plan& plan, const link_plan& link) {
    if (!head_written_) put(out_, "\n" + link_head(plan, link));
    head_written_ = false;
    put(out_, link_middle(link));
    if (!link.committed) return;
    for (const recorded_request& r : link.requests) {
        put(out_, format("    %2zu  ", r.number) + request_text(r) + "\n");
    }
    put(out_, unchanged_text(link) + after_summary(link));
}

// The warning about the word it stands in says it all.
void text_output::ignored(const whole_plan&, const ignored_text&) {}

void text_output::warning(const whole_plan& plan, const plan_warning& w) {
    put(diagnostics_, warning_text(plan, w));
}

void text_output::end(const whole_plan& plan) {
    put(out_, summary_text(plan));
    // The plan comes out whole before what is said about where it stops.
    std::fflush(out_);
    put(diagnostics_, stop_text(plan));
}

void text_output::fail(const whole_plan&, const std::string&, int) {}

}  // namespace plan
