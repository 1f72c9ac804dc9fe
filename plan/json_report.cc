#include "plan/json_report.h"

#include <cstring>
#include <nlohmann/json.hpp>

#include "plan/bit_names.h"
#include "plan/request_text.h"
#include "plan/text_report.h"
#include "standin/number_text.h"

namespace plan {

namespace {

using json = nlohmann::ordered_json;

json bits_json(std::uint32_t value, const std::vector<std::string>& names) {
    return {{"value", value}, {"hex", standin::hex32(value)}, {"bits", names}};
}

json point_json(const source_point& at) {
    return {{"line", at.line}, {"column", at.column}};
}

json entry_json(const std::array<std::uint8_t, kEtherAddrLen>& address, const std::string& ifname) {
    return {{"eaddr", standin::ether_address_text(address)}, {"interface", ifname}};
}

json snapshot_json(const link_snapshot& link) {
    json segments = json::array();
    for (const segment_snapshot& s : link.segments) {
        segments.push_back({{"name", s.name},
                            {"speed", s.speed},
                            {"duplex", s.duplex},
                            {"state", bits_json(s.state, state_bits(s.state))}});
    }
    json entries = json::array();
    for (const entry_snapshot& e : link.entries) {
        json entry = entry_json(e.address, e.ifname);
        entry["installed"] = e.installed;
        entries.push_back(entry);
    }
    return {{"name", link.name},
            {"mode", bits_json(link.mode, mode_bits(link.mode))},
            {"segments", segments},
            {"table_lookup", entries}};
}

json after_json(const standin::link_state& link) {
    const std::uint32_t mode = link.mode | ZLM_EXISTS;
    json segments = json::array();
    for (const standin::segment_state& s : link.segments) {
        const std::uint32_t state = s.state | ZLS_EXISTS;
        segments.push_back({{"name", s.name}, {"state", bits_json(state, state_bits(state))}});
    }
    json entries = json::array();
    for (const standin::lookup_entry& e : link.entries) {
        entries.push_back(entry_json(e.address, e.ifname));
    }
    return {{"name", link.record_name},
            {"mode", bits_json(mode, mode_bits(mode))},
            {"segments", segments},
            {"table_lookup", entries}};
}

json request_json(const recorded_request& r) {
    const decoded_request d = decode(r);
    json out = {{"number", r.number}, {"request", d.request}};
    if (d.interface) {
        out["interface"] = *d.interface;
        out["name"] = *d.stem;
        out["unit"] = *d.unit;
    }
    if (d.flags) out["flags"] = bits_json(*d.flags, d.flag_names);
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
    if (link.read) out["read"] = snapshot_json(*link.read);
    json dumpinfos = json::array();
    for (const dumpinfo_report& d : link.dumpinfos) {
        dumpinfos.push_back({{"at", point_json(d.at)}, {"text", dumpinfo_text(d.link)}});
    }
    out["dumpinfo"] = dumpinfos;
    out["committed"] = link.committed;
    if (link.committed) out["end"] = point_json(link.end);
    return out;
}

// The members of a committed link after its requests.
json link_tail_json(const link_plan& link) {
    json out = {{"unchanged_ZLIOSSEG", link.unchanged},
                {"exists_after", link.exists_after},
                {"segments_after", link.segments_after},
                {"table_lookup_after", link.entries_after}};
    if (link.after) out["after"] = after_json(*link.after);
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
    put("{\n  \"input\": " + dumped(plan.input, 2) + ",\n  \"links\": [");
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

void json_output::ignored(const whole_plan& plan, const ignored_text& text) {
    const std::string warning = warning_text(plan, text);
    std::fwrite(warning.data(), 1, warning.size(), diagnostics_);
    ignored_.push_back({{"at", point_json({text.line, text.column})}, {"text", text.text}});
}

void json_output::close_links() {
    put(links_ == 0 ? "]" : "\n  ]");
    put(",\n  \"ignored\": " + dumped(ignored_, 2));
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
