#include "plan/json_report.h"

#include <cstring>
#include <nlohmann/json.hpp>

#include "link/link_report.h"
#include "model/name_text.h"
#include "model/number_text.h"
#include "plan/link_changes.h"
#include "plan/link_json.h"
#include "plan/request_text.h"
#include "plan/text_report.h"

namespace plan {

namespace {

using json = nlohmann::ordered_json;

json point_json(const source_point& at) {
    return {{"line", at.line}, {"column", at.column}};
}

json request_json(const recorded_request& r) {
    const decoded_request d = decode(r);
    json out = {{"number", r.number}, {"request", d.request}};
    if (d.interface) {
        out["interface"] = *d.interface;
        out["name"] = *d.stem;
        out["unit"] = *d.unit;
    }
    if (d.flags) out["flags"] = word_json(*d.flags, d.flag_names);
    if (d.address) out["eaddr"] = *d.address;
    return out;
}

// The members of a link before its requests.
json link_head_json(const link_plan& link) {
    json out = {{"link", link.device}, {"at", point_json(link.at)}};
    if (!link.read_done) return out;
    out["found"] = link.found;
    if (!link.found && !link.predicted)
        out["not_found_error"] = std::strerror(link.not_found_error);
    out["predicted"] = link.predicted;
    out["reads"] = {{"ZLIOGLINK", link.reads.links},
                    {"ZLIOGSEG", link.reads.segments},
                    {"ZLIOGTL", link.reads.entries}};
    out["read"] = link.read ? link_json(*link.read) : json(nullptr);
    json dumpinfos = json::array();
    for (const dumpinfo_report& d : link.dumpinfos) {
        dumpinfos.push_back(
            {{"at", point_json(d.at)}, {"text", link_report(d.link, {model::name_for_display})}});
    }
    out["dumpinfo"] = dumpinfos;
    out["committed"] = link.committed;
    if (link.committed) {
        out["end"] = point_json(link.end);
        out["changes"] = link.changes;
    }
    return out;
}

// The members of a committed link after its requests.
json link_tail_json(const link_plan& link) {
    json out = {{"unchanged_ZLIOSSEG", link.unchanged},
                {"exists_after", link.exists_after},
                {"segments_after", link.segments_after},
                {"table_lookup_after", link.entries_after}};
    out["after"] = link.after ? link_json(snapshot_as_read(*link.after)) : json(nullptr);
    return out;
}

json stop_json(const whole_plan& plan) {
    static const char* const kinds[] = {"accepted", "syntax error", "read failure", "too long"};
    json out = {{"kind", kinds[static_cast<int>(plan.outcome)]}};
    if (plan.stop) out["at"] = point_json(*plan.stop);
    if (plan.syntax) {
        out["message"] = plan.syntax->message;
        if (!plan.syntax->hint.empty()) out["hint"] = plan.syntax->hint;
    }
    if (plan.failure) {
        out["link"] = plan.failure->device;
        out["message"] = failure_text(*plan.failure);
    }
    out["zlconf_message"] = plan.zlconf_message;
    return out;
}

// Bytes that are not UTF-8 (a name the driver wrote, an ignored byte) are
// replaced rather than refused. Each line but the first is indented by
// `indent`, as the value stands that deep in the document.
std::string dumped(const json& value, std::size_t indent) {
    const std::string text = value.dump(2, ' ', false, json::error_handler_t::replace);
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        out += c;
        if (c == '\n') out.append(indent, ' ');
    }
    return out;
}

}  // namespace

// The document is written as the run goes: "links" first, one at a time, and
// what depends on how the run ends after them.
json_output::json_output(std::FILE* out, std::FILE* diagnostics)
    : out_(out), diagnostics_(diagnostics) {}

void json_output::put(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), out_);
}

void json_output::begin(const whole_plan& plan) {
    put("{\n  \"schema\": " + std::to_string(kJsonSchema) +
        ",\n  \"input\": " + dumped(plan.input, 2));
    if (!plan.driver.empty()) put(",\n  \"driver\": " + dumped(plan.driver, 2));
    put(",\n  \"links\": [");
    begun_ = true;
}

// A request at a time, as text does: one block may hold as many as the file
// has statements.
void json_output::link(const whole_plan&, const link_plan& link) {
    put(links_ == 0 ? "\n    " : ",\n    ");
    ++links_;
    const std::string head = dumped(link_head_json(link), 4);
    if (!link.committed) {
        put(head);
        return;
    }
    // An object's members are what lies between "{" and "\n    }".
    constexpr std::size_t kClose = 6;
    put(head.substr(0, head.size() - kClose) + ",\n      \"requests\": [");
    const char* between = "\n        ";
    for (const recorded_request& r : link.requests) {
        put(between + dumped(request_json(r), 8));
        between = ",\n        ";
    }
    put(link.requests.empty() ? "]," : "\n      ],");
    put(dumped(link_tail_json(link), 4).substr(1));
}

void json_output::warning(const whole_plan& plan, const plan_warning& w) {
    const std::string text = warning_text(plan, w);
    std::fwrite(text.data(), 1, text.size(), diagnostics_);
    warnings_.push_back({{"at", point_json(w.at)}, {"text", w.text}});
}

void json_output::ignored(const whole_plan&, const ignored_text& text) {
    ignored_.push_back({{"at", point_json({text.line, text.column})}, {"text", text.text}});
}

void json_output::close_links() {
    put(links_ == 0 ? "]" : "\n  ]");
    put(",\n  \"ignored\": " + dumped(ignored_, 2));
    put(",\n  \"warnings\": " + dumped(warnings_, 2));
}

void json_output::end(const whole_plan& plan) {
    close_links();
    put(",\n  \"stop\": " +
        dumped(plan.outcome == outcome::accepted ? json(nullptr) : stop_json(plan), 2));
    put(",\n  \"status\": " + std::to_string(plan.status()) + "\n}\n");
    std::fflush(out_);
    const std::string stop = stop_text(plan);
    std::fwrite(stop.data(), 1, stop.size(), diagnostics_);
}

void json_output::fail(const whole_plan& plan, const std::string& message, int status) {
    if (!begun_) begin(plan);
    close_links();
    put(",\n  \"error\": " + dumped(message, 2) + ",\n  \"status\": " + std::to_string(status) +
        "\n}\n");
}

}  // namespace plan
