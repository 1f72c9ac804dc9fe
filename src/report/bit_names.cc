#include "report/bit_names.h"

#include <cstdio>
#include <utility>

#include "records.h"

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
