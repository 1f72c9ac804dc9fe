#include "model/failure_plan.h"

#include <array>
#include <charconv>
#include <optional>

#include "driver/requests.h"
#include "model/errno_names.h"
#include "model/link_names.h"

namespace model {

namespace {

constexpr std::array kRequestCodes = {ZLIOATL,  ZLIOGTL,   ZLIOGSEG,  ZLIOGLINK,
                                      ZLIOSSEG, ZLIOSMODE, ZLIODLINK, ZLIOELINK,
                                      ZLIODSEG, ZLIOASEG,  ZLIOCLINK};

std::optional<std::uint32_t> request_code_named(std::string_view name) {
    for (const std::uint32_t code : kRequestCodes) {
        if (name == request_name(code)) {
            return code;
        }
    }
    return std::nullopt;
}

std::optional<std::uint64_t> occurrence_from_text(std::string_view text) {
    if (text == "*") {
        return 0;
    }
    std::uint64_t occurrence = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), occurrence);
    if (text.empty() || failure != std::errc{} || end != text.data() + text.size() ||
        occurrence == 0) {
        return std::nullopt;
    }
    return occurrence;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

failure_rule_error bad_rule(std::string_view rule, std::string_view why) {
    return failure_rule_error("bad failure rule '" + std::string(rule) + "': " + std::string(why));
}

}  // namespace

failure_plan failure_plan::parse(std::string_view rules) {
    failure_plan plan;
    if (rules.empty()) {
        return plan;
    }
    for (const std::string_view rule : split(rules, ',')) {
        plan.add_rule(rule);
    }
    return plan;
}

void failure_plan::add_rule(std::string_view rule) {
    const std::vector<std::string_view> parts = split(rule, ':');
    if (parts.size() != 3) {
        throw bad_rule(rule, "expected WHAT:WHICH:ERROR");
    }
    const std::optional<int> error = errno_from_name(parts[2]);
    if (!error) {
        throw bad_rule(rule, "unknown error '" + std::string(parts[2]) + "'");
    }
    if (parts[0] == "open") {
        if (!is_link_device_name(parts[1])) {
            throw bad_rule(rule, "'" + std::string(parts[1]) + "' is not a link device");
        }
        open_rules_.push_back({std::string(parts[1]), *error});
        return;
    }
    const std::optional<std::uint32_t> code = request_code_named(parts[0]);
    if (!code) {
        throw bad_rule(rule, "'" + std::string(parts[0]) + "' is neither open nor a request name");
    }
    if (parts[1] == "removed") {
        if (*code != ZLIOSSEG) throw bad_rule(rule, "only a ZLIOSSEG follows a removal");
        if (removed_segment_error_ == 0) removed_segment_error_ = *error;
        return;
    }
    const std::optional<std::uint64_t> occurrence = occurrence_from_text(parts[1]);
    if (!occurrence) {
        throw bad_rule(rule, "occurrence must be *, removed or a number from 1");
    }
    request_rules_.push_back({*code, *occurrence, *error});
}

int failure_plan::on_request(std::uint32_t code) {
    if (request_rules_.empty()) {
        return 0;
    }
    const std::uint64_t occurrence = ++occurrences_[code];
    for (const request_rule& rule : request_rules_) {
        if (rule.code == code && (rule.occurrence == 0 || rule.occurrence == occurrence)) {
            return rule.error;
        }
    }
    return 0;
}

int failure_plan::on_open(std::string_view device) const {
    for (const open_rule& rule : open_rules_) {
        if (rule.device == device) {
            return rule.error;
        }
    }
    return 0;
}

}  // namespace model
