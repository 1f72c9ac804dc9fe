#include "report/link_report.h"

#include <cstdio>
#include <utility>

#include "text/formatting.h"

namespace {

// Appended piece by piece: GCC 12 warns (-Wrestrict), wrongly, about its own
// code for a literal put in front of a temporary string.
class report_writer {
public:
    report_writer(std::string& out, const report_style& style) : out_(out), style_(style) {}

    // The line's indent, `depth` levels below the style's.
    report_writer& line(int depth) {
        out_ += style_.indent;
        out_.append(static_cast<std::size_t>(depth) * 2, ' ');
        return *this;
    }
    report_writer& text(std::string_view text) {
        out_ += text;
        return *this;
    }
    report_writer& name(std::string_view name) {
        if (style_.escape != nullptr) return text(style_.escape(name));
        return text(name);
    }
    report_writer& number(std::int32_t value) { return text(std::to_string(value)); }
    // The word as "0x%08x", then its bits' names as the form has them.
    report_writer& word(std::uint32_t value, std::vector<std::string> (*bits)(std::uint32_t)) {
        char hex[kHex32TextSize];
        format_hex32(value, hex);
        text(hex);
        if (value == 0 || style_.form == report_form::dumpinfo) return *this;
        const std::string names = joined_bits(bits(value));
        if (style_.form == report_form::outline) return text("  ").text(names);
        return text(" (").text(names).text(")");
    }
    report_writer& address(const std::array<std::uint8_t, kEtherAddrLen>& a) {
        char text_of[kAddressTextSize];
        format_address(a.data(), text_of);
        return text(text_of);
    }
    void end() { out_ += '\n'; }

private:
    std::string& out_;
    const report_style& style_;
};

}  // namespace

std::string link_report(const link_snapshot& link, const report_style& style) {
    std::string out;
    report_writer w(out, style);
    w.line(0).text("Zelnar ").name(link.name).text("   mode ").word(link.mode, mode_bits).end();
    for (const segment_snapshot& seg : link.segments) {
        w.line(1).text("Segment ").name(seg.name);
        if (style.speeds) w.text(" speed ").number(seg.speed).text(" duplex ").number(seg.duplex);
        w.text(" state ").word(seg.state, state_bits).end();
    }
    if (link.entries.empty()) return out;
    // The outline sets the table within the link, a level deeper.
    const int table = style.form == report_form::outline ? 1 : 0;
    const char* const separator = style.form == report_form::outline ? "  Link " : "\tLink ";
    w.line(table).text("Table Lookup addresses").end();
    for (const entry_snapshot& e : link.entries) {
        w.line(table + 1).address(e.address).text(separator).name(e.ifname).end();
    }
    return out;
}

namespace {

using named_bit = std::pair<std::uint32_t, const char*>;

constexpr named_bit kModeBits[] = {
    {ZLM_EXISTS, "EXISTS"},     {ZLM_ROUNDROBIN, "ROUNDROBIN"}, {ZLM_DSTROUTE, "DSTROUTE"},
    {ZLM_FALLOVER, "FALLOVER"}, {ZLM_SPILLOVER, "SPILLOVER"},   {ZLM_DYMXOR, "DYMXOR"},
    {ZLM_NEW, "NEW"},           {ZLM_DELETE, "DELETE"},         {ZLM_TBLLOOKUP, "TBLLOOKUP"},
};

constexpr named_bit kStateBits[] = {
    {ZLS_EXISTS, "EXISTS"},     {ZLS_TRUNK, "TRUNK"},       {ZLS_STANDBY, "STANDBY"},
    {ZLS_SAMEADDR, "SAMEADDR"}, {ZLS_DIFFADDR, "DIFFADDR"}, {ZLS_NEW, "NEW"},
    {ZLS_DELETE, "DELETE"},     {ZLS_FULLDUX, "FULLDUX"},   {ZLS_HALFDUX, "HALFDUX"},
    {ZLS_100BT, "100BT"},       {ZLS_10BT, "10BT"},         {ZLS_AUTO, "AUTO"},
};

template <std::size_t N>
std::vector<std::string> names_of(std::uint32_t word, const named_bit (&table)[N]) {
    std::vector<std::string> names;
    for (int shift = 31; shift >= 0; --shift) {
        const std::uint32_t bit = std::uint32_t{1} << shift;
        if ((word & bit) == 0) continue;
        const char* name = nullptr;
        for (const auto& [value, text] : table) {
            if (value == bit) name = text;
        }
        if (name != nullptr) {
            names.emplace_back(name);
        } else {
            char text[16];
            std::snprintf(text, sizeof text, "0x%x", bit);
            names.emplace_back(text);
        }
    }
    return names;
}

}  // namespace

std::vector<std::string> mode_bits(std::uint32_t mode) {
    return names_of(mode, kModeBits);
}

std::vector<std::string> state_bits(std::uint32_t state) {
    return names_of(state, kStateBits);
}

std::string joined_bits(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) {
        if (!out.empty()) out += '|';
        out += name;
    }
    return out;
}
