#include "plan/json_report.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "companion/link_json.h"
#include "model/name_text.h"
#include "model/number_text.h"
#include "plan/link_changes.h"
#include "plan/request_text.h"
#include "plan/text_report.h"
#include "report/link_report.h"

namespace plan {

namespace {

using json = nlohmann::ordered_json;

json point_json(const source_point& at) {
    return {{"line", at.line}, {"column", at.column}};
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

// A string as dumped() writes it; plain printable ASCII without the library.
std::string json_string(const std::string& text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return c >= 0x20 && c < 0x7f && c != '"' && c != '\\';
    });
    if (plain) return '"' + text + '"';
    return json(text).dump(-1, ' ', false, json::error_handler_t::replace);
}

// A request as dumped(request object, 8) would write it, without building the
// object: a block may hold as many requests as the file has statements.
std::string request_json_text(const recorded_request& r) {
    const decoded_request d = decode(r);
    std::string out = "{\n          \"number\": " + std::to_string(r.number) +
                      ",\n          \"request\": " + json_string(d.request);
    if (d.interface) {
        out += ",\n          \"interface\": " + json_string(*d.interface) +
               ",\n          \"name\": " + json_string(*d.stem) +
               ",\n          \"unit\": " + std::to_string(*d.unit);
    }
    if (d.flags) {
        out += ",\n          \"flags\": {\n            \"value\": " + std::to_string(*d.flags) +
               ",\n            \"hex\": \"" + model::hex32(*d.flags) +
               "\",\n            \"bits\": ";
        if (d.flag_names.empty()) {
            out += "[]";
        } else {
            const char* between = "[\n              ";
            for (const std::string& bit : d.flag_names) {
                out.append(between).append(json_string(bit));
                between = ",\n              ";
            }
            out += "\n            ]";
        }
        out += "\n          }";
    }
    if (d.address) out += ",\n          \"eaddr\": " + json_string(*d.address);
    return out + "\n        }";
}

// A link's object as dumped(object, 4) would write it, member by member
// without building it; only a whole link state goes through the library.
class link_members {
public:
    link_members& add(std::string_view key, const std::string& value) {
        text_.append(text_.empty() ? "\n      \"" : ",\n      \"").append(key).append("\": ");
        text_ += value;
        return *this;
    }
    /// The members, each on its line, as the object holds them.
    const std::string& text() const { return text_; }
    std::string object() const { return "{" + text_ + "\n    }"; }

private:
    std::string text_;
};

std::string number_text(std::size_t n) {
    return std::to_string(n);
}

std::string truth(bool value) {
    return value ? "true" : "false";
}

std::string point_text(const source_point& at) {
    return "{\n        \"line\": " + std::to_string(at.line) +
           ",\n        \"column\": " + std::to_string(at.column) + "\n      }";
}

// The members of a link up to its DUMPINFOs; all of them for a link that
// was not read.
link_members link_head(const link_plan& link) {
    link_members out;
    out.add("link", json_string(link.device)).add("at", point_text(link.at));
    if (!link.read_done) return out;
    out.add("found", truth(link.found));
    if (!link.found && !link.predicted) {
        out.add("not_found_error", json_string(std::strerror(link.not_found_error)));
    }
    out.add("predicted", truth(link.predicted));
    out.add("reads", "{\n        \"ZLIOGLINK\": " + number_text(link.reads.links) +
                         ",\n        \"ZLIOGSEG\": " + number_text(link.reads.segments) +
                         ",\n        \"ZLIOGTL\": " + number_text(link.reads.entries) +
                         "\n      }");
    out.add("read", link.read ? dumped(companion::link_json(*link.read), 6) : "null");
    return out;
}

// The members after the DUMPINFOs, up to the requests.
link_members link_middle(const link_plan& link) {
    link_members out;
    out.add("committed", truth(link.committed));
    if (!link.committed) return out;
    out.add("end", point_text(link.end));
    const auto phrases = [](const std::vector<std::string>& list) {
        std::string text = list.empty() ? "[]" : "[";
        for (std::size_t i = 0; i < list.size(); ++i) {
            text.append(i == 0 ? "\n        " : ",\n        ").append(json_string(list[i]));
        }
        return list.empty() ? text : text + "\n      ]";
    };
    return out.add("changes", phrases(link.changes)).add("on_the_way", phrases(link.on_the_way));
}

// The members of a committed link after its requests.
link_members link_tail(const link_plan& link) {
    link_members out;
    out.add("unchanged_ZLIOSSEG", number_text(link.unchanged))
        .add("exists_after", truth(link.exists_after))
        .add("segments_after", number_text(link.segments_after))
        .add("table_lookup_after", number_text(link.entries_after));
    return out.add(
        "after", link.after ? dumped(companion::link_json(model::snapshot_as_read(*link.after)), 6)
                            : "null");
}

// {"at": {"line", "column"}, "text"} as dumped() would write it at `indent`
// 4, without building it: a file may hold millions of these.
std::string placed_text(const source_point& at, const std::string& text) {
    return "{\n      \"at\": {\n        \"line\": " + std::to_string(at.line) +
           ",\n        \"column\": " + std::to_string(at.column) +
           "\n      },\n      \"text\": " + json_string(text) + "\n    }";
}

}  // namespace

json_output::spool::spool() : file_(std::tmpfile()) {}

json_output::spool::~spool() {
    if (file_ != nullptr) std::fclose(file_);
}

void json_output::spool::add(const std::string& item) {
    const std::string text = (empty_ ? "\n    " : ",\n    ") + item;
    empty_ = false;
    if (file_ == nullptr) {
        held_ += text;
    } else if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
        throw std::runtime_error(std::string("cannot write a temporary file: ") +
                                 std::strerror(errno));
    }
}

std::string json_output::spool::array() {
    if (empty_) return "[]";
    std::string out = "[";
    if (file_ == nullptr) return out + held_ + "\n  ]";
    std::rewind(file_);
    return out;
}

void json_output::spool::copy_to(std::FILE* out) {
    if (file_ == nullptr || empty_) return;
    std::array<char, 64 * 1024> buffer;
    for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), file_)) > 0;) {
        std::fwrite(buffer.data(), 1, got, out);
    }
    if (std::ferror(file_) != 0) {
        throw std::runtime_error(std::string("cannot read a temporary file: ") +
                                 std::strerror(errno));
    }
    std::fputs("\n  ]", out);
}

// The document is written as the run goes: "links" first, one at a time, and
// what depends on how the run ends after them.
json_output::json_output(std::FILE* out, std::FILE* diagnostics)
    : out_(out), diagnostics_(diagnostics) {}

void json_output::put(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), out_);
}

void json_output::begin(const whole_plan& plan) {
    put("{\n  \"schema\": " + std::to_string(companion::kJsonSchema) +
        ",\n  \"input\": " + dumped(plan.input, 2));
    if (!plan.driver.empty()) put(",\n  \"driver\": " + dumped(plan.driver, 2));
    put(",\n  \"links\": [");
    begun_ = true;
}

void json_output::link_read(const whole_plan&, const link_plan& link) {
    put(links_ == 0 ? "\n    " : ",\n    ");
    ++links_;
    put("{" + link_head(link).text() + ",\n      \"dumpinfo\": [");
    open_ = true;
    dumpinfos_ = 0;
}

void json_output::dumpinfo(const whole_plan&, const link_plan&, const dumpinfo_report& report) {
    const json item = {{"at", point_json(report.at)},
                       {"text", link_report(report.link, {model::name_for_display})}};
    put((dumpinfos_++ == 0 ? "\n        " : ",\n        ") + dumped(item, 8));
}

// Closes the block's DUMPINFOs: what comes after them.
void json_output::close_dumpinfos(const link_plan& link) {
    put(dumpinfos_ == 0 ? "]," : "\n      ],");
    open_ = false;
    put(link_middle(link).text());
}

// A request at a time, as text does: one block may hold as many as the file
// has statements.
void json_output::link(const whole_plan&, const link_plan& link) {
    if (!open_) {
        put(links_ == 0 ? "\n    " : ",\n    ");
        ++links_;
        put(link_head(link).object());
        return;
    }
    close_dumpinfos(link);
    if (!link.committed) {
        put("\n    }");
        return;
    }
    put(",\n      \"requests\": [");
    const char* between = "\n        ";
    for (const recorded_request& r : link.requests) {
        put(between + request_json_text(r));
        between = ",\n        ";
    }
    put(link.requests.empty() ? "]," : "\n      ],");
    put(link_tail(link).text() + "\n    }");
}

void json_output::warning(const whole_plan& plan, const plan_warning& w) {
    const std::string text = warning_text(plan, w);
    std::fwrite(text.data(), 1, text.size(), diagnostics_);
    (w.note ? notes_ : warnings_).add(placed_text(w.at, w.text));
}

void json_output::ignored(const whole_plan&, const ignored_text& text) {
    ignored_.add(placed_text({text.line, text.column}, text.text));
}

void json_output::close_links() {
    // A block the run broke off in ends with what is known of it.
    if (open_) {
        link_plan unfinished;
        close_dumpinfos(unfinished);
        put("\n    }");
    }
    put(links_ == 0 ? "]" : "\n  ]");
    put(",\n  \"ignored\": " + ignored_.array());
    std::fflush(out_);
    ignored_.copy_to(out_);
    put(",\n  \"warnings\": " + warnings_.array());
    warnings_.copy_to(out_);
    put(",\n  \"notes\": " + notes_.array());
    notes_.copy_to(out_);
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
