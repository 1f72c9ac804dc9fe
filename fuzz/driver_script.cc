#include "driver_script.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "driver/requests.h"
#include "model/errno_names.h"

namespace {

constexpr std::array<std::uint32_t, 11> kRequests = {ZLIOATL,  ZLIOGTL,   ZLIOGSEG,  ZLIOGLINK,
                                                     ZLIOSSEG, ZLIOSMODE, ZLIODLINK, ZLIOELINK,
                                                     ZLIODSEG, ZLIOASEG,  ZLIOCLINK};
constexpr std::size_t kOpenRule = kRequests.size();

constexpr std::array<std::string_view, 18> kDevices = {
    "zl0",    "zl1",    "zl2",    "zl3",    "zl4",    "zl5",    "zl6",    "zl7",    "zl8",
    "zlumi0", "zlumi1", "zlumi2", "zlumi3", "zlumi4", "zlumi5", "zlumi6", "zlumi7", "zlumi8"};

constexpr std::array<int, 13> kErrors = {EIO,    EPERM,  EBUSY,  ENOMEM, ENOSPC, EINVAL, ENXIO,
                                         ENOENT, EEXIST, EACCES, EFAULT, EAGAIN, EINTR};

// Interface names that a configuration can also write, so that the driver's
// segments and the file's meet.
constexpr std::array<std::string_view, 16> kInterfaces = {
    "ce0",  "ce1",  "ce2",   "cea",    "cef",    "ce10",  "kce1", "tce2",
    "zce3", "zme4", "zre5f", "zwce12", "zwre99", "zwcea", "ce99", "kcef"};
constexpr std::uint8_t kRawName = 0xC0;  // name bytes from here on: written out
constexpr std::size_t kMaxName = kNameField;
constexpr std::size_t kMaxRules = 5;
constexpr std::size_t kMaxSegments = 8;
constexpr std::size_t kMaxEntries = 4;

// Hands out the script's bytes; past the end, zeros.
class byte_reader {
public:
    explicit byte_reader(std::string_view bytes) : bytes_(bytes) {}
    bool done() const { return at_ >= bytes_.size(); }
    std::uint8_t byte() { return done() ? 0 : static_cast<std::uint8_t>(bytes_[at_++]); }
    std::uint32_t word() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= std::uint32_t{byte()} << (8 * i);
        return value;
    }
    std::string text(std::size_t length) {
        std::string out;
        while (out.size() < length && !done()) out += static_cast<char>(byte());
        return out;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

// A segment's speed or duplex figure, -128 to 127, is one byte offset by 128.
constexpr std::int32_t kFigureOffset = 128;

std::int32_t figure_from(std::uint8_t byte) {
    return std::int32_t{byte} - kFigureOffset;
}

std::uint8_t figure_byte(std::int32_t figure) {
    return static_cast<std::uint8_t>((figure + kFigureOffset) & 0xFF);
}

// A name byte below kRawName stands for the usual name: the device's for a
// link record, one of kInterfaces for the others.
std::string name_from(byte_reader& in, std::string_view device) {
    const std::uint8_t kind = in.byte();
    if (kind >= kRawName) return in.text(in.byte() % (kMaxName + 1));
    return std::string(device.empty() ? kInterfaces[kind % kInterfaces.size()] : device);
}

std::string rule_from(byte_reader& in) {
    const std::size_t what = in.byte() % (kOpenRule + 1);
    const std::uint8_t which = in.byte();
    const std::string error = model::errno_name(kErrors[in.byte() % kErrors.size()]);
    if (what == kOpenRule) {
        return "open:" + std::string(kDevices[which % kDevices.size()]) + ":" + error;
    }
    const int occurrence = which % 8;
    return std::string(request_name(kRequests[what])) + ":" +
           (occurrence == 0 ? "*" : std::to_string(occurrence)) + ":" + error;
}

model::link_state link_from(byte_reader& in, std::string_view device) {
    model::link_state link;
    link.record_name = name_from(in, device);
    link.mode = in.word();
    const std::size_t segments = in.byte() % (kMaxSegments + 1);
    for (std::size_t i = 0; i < segments && !in.done(); ++i) {
        model::segment_state seg;
        seg.name = name_from(in, "");
        seg.state = in.word();
        seg.speed = figure_from(in.byte());
        seg.duplex = figure_from(in.byte());
        link.segments.push_back(std::move(seg));
    }
    const std::size_t entries = in.byte() % (kMaxEntries + 1);
    for (std::size_t i = 0; i < entries && !in.done(); ++i) {
        model::lookup_entry entry;
        for (std::uint8_t& b : entry.address) b = in.byte();
        entry.ifname = name_from(in, "");
        link.entries.push_back(std::move(entry));
    }
    return link;
}

// The encoder writes what the decoder reads, field by field.

template <typename Table, typename Value>
std::uint8_t index_in(const Table& table, const Value& value, const char* what) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i] == value) return static_cast<std::uint8_t>(i);
    }
    throw std::invalid_argument(std::string("no encoding for this ") + what);
}

void put_word(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void put_name(std::string& out, const std::string& name, std::string_view device) {
    if (!device.empty() && name == device) {
        out += '\0';
        return;
    }
    for (std::size_t i = 0; device.empty() && i < kInterfaces.size(); ++i) {
        if (kInterfaces[i] == name) {
            out += static_cast<char>(i);
            return;
        }
    }
    out += static_cast<char>(kRawName);
    out += static_cast<char>(name.size());
    out += name;
}

void put_rule(std::string& out, std::string_view rule) {
    const std::size_t first = rule.find(':');
    const std::size_t second = rule.find(':', first + 1);
    const std::string what(rule.substr(0, first));
    const std::string which(rule.substr(first + 1, second - first - 1));
    const auto error = model::errno_from_name(rule.substr(second + 1));
    if (first == std::string_view::npos || second == std::string_view::npos || !error) {
        throw std::invalid_argument("no encoding for rule " + std::string(rule));
    }
    if (what == "open") {
        out += static_cast<char>(kOpenRule);
        out += static_cast<char>(index_in(kDevices, which, "device"));
    } else {
        std::uint8_t code = 0;
        while (code < kRequests.size() && what != request_name(kRequests[code])) ++code;
        if (code == kRequests.size() || (which != "*" && std::stoi(which) >= 8)) {
            throw std::invalid_argument("no encoding for rule " + std::string(rule));
        }
        out += static_cast<char>(code);
        out += static_cast<char>(which == "*" ? 0 : std::stoi(which));
    }
    out += static_cast<char>(index_in(kErrors, *error, "error"));
}

}  // namespace

std::pair<std::string_view, std::string_view> split_fuzz_input(std::string_view input) {
    const std::size_t nul = input.find('\0');
    if (nul == std::string_view::npos) return {input, {}};
    return {input.substr(0, nul), input.substr(nul + 1)};
}

driver_script decode_driver_script(std::string_view bytes) {
    byte_reader in(bytes);
    driver_script script;
    const std::uint8_t piece = in.byte();
    if (piece != 0) script.piece = piece;
    const std::size_t rules = in.byte() % (kMaxRules + 1);
    for (std::size_t i = 0; i < rules; ++i) {
        script.failures += (i == 0 ? "" : ",") + rule_from(in);
    }
    while (!in.done()) {
        const std::string_view device = kDevices[in.byte() % kDevices.size()];
        script.state.insert_or_assign(std::string(device), link_from(in, device));
    }
    return script;
}

std::string encode_driver_script(const driver_script& script) {
    std::string out;
    out += static_cast<char>(script.piece == std::string::npos ? 0 : script.piece);
    std::vector<std::string_view> rules;
    for (std::string_view rest = script.failures; !rest.empty();) {
        const std::size_t comma = rest.find(',');
        rules.push_back(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? "" : rest.substr(comma + 1);
    }
    if (rules.size() > kMaxRules) throw std::invalid_argument("too many failure rules");
    out += static_cast<char>(rules.size());
    for (std::string_view rule : rules) put_rule(out, rule);
    for (const auto& [device, link] : script.state) {
        if (link.segments.size() > kMaxSegments || link.entries.size() > kMaxEntries) {
            throw std::invalid_argument("too many records in link " + device);
        }
        out += static_cast<char>(index_in(kDevices, device, "device"));
        put_name(out, link.record_name, device);
        put_word(out, link.mode);
        out += static_cast<char>(link.segments.size());
        for (const model::segment_state& seg : link.segments) {
            put_name(out, seg.name, "");
            put_word(out, seg.state);
            out += static_cast<char>(figure_byte(seg.speed));
            out += static_cast<char>(figure_byte(seg.duplex));
        }
        out += static_cast<char>(link.entries.size());
        for (const model::lookup_entry& entry : link.entries) {
            for (std::uint8_t b : entry.address) out += static_cast<char>(b);
            put_name(out, entry.ifname, "");
        }
    }
    return out;
}
