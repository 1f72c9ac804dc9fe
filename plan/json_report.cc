#include "plan/json_report.h"

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
    json out = {{"request", d.request}};
    if (d.interface) {
        out["interface"] = *d.interface;
        out["name"] = *d.stem;
        out["unit"] = *d.unit;
    }
    if (d.flags) out["flags"] = bits_json(*d.flags, d.flag_names);
    if (d.address) out["eaddr"] = *d.address;
    return out;
}

json link_json(const link_plan& link) {
    json out = {{"link", link.device}, {"at", point_json(link.at)}};
    if (!link.read_done) return out;
    out["found"] = link.found;
    out["predicted"] = link.predicted;
    json reads = json::array();
    for (const std::uint32_t code : link.reads) reads.push_back(request_name(code));
    out["reads"] = reads;
    out["read"] = snapshot_json(link.read);
    json dumpinfos = json::array();
    for (const dumpinfo_report& d : link.dumpinfos) {
        dumpinfos.push_back({{"at", point_json(d.at)}, {"text", dumpinfo_text(d.link)}});
    }
    out["dumpinfo"] = dumpinfos;
    out["committed"] = link.committed;
    if (!link.committed) return out;
    out["end"] = point_json(link.end);
    json requests = json::array();
    for (const recorded_request& r : link.requests) requests.push_back(request_json(r));
    out["requests"] = requests;
    out["after"] = link.after ? after_json(*link.after) : json(nullptr);
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

}  // namespace

std::string plan_json(const whole_plan& plan) {
    json links = json::array();
    for (const link_plan& link : plan.links) links.push_back(link_json(link));
    json ignored = json::array();
    for (const ignored_text& t : plan.ignored) {
        ignored.push_back({{"at", point_json({t.line, t.column})}, {"text", t.text}});
    }
    json out = {
        {"input", plan.input}, {"status", plan.status()}, {"links", links}, {"ignored", ignored}};
    out["stop"] = plan.outcome == outcome::accepted ? json(nullptr) : stop_json(plan);
    // Bytes that are not UTF-8 (a name the driver wrote, an ignored byte) are
    // replaced rather than refused.
    return out.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

}  // namespace plan
