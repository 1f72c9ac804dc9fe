#include "plan/request_text.h"

#include <cstdio>
#include <span>

#include "link/bit_names.h"
#include "standin/interface_names.h"
#include "standin/name_text.h"
#include "standin/number_text.h"

namespace plan {

namespace {

bool names_segment(std::uint32_t code) {
    return code == ZLIOASEG || code == ZLIOSSEG || code == ZLIODSEG;
}

}  // namespace

decoded_request decode(const recorded_request& request) {
    decoded_request d;
    const std::uint32_t code = request.code;
    const char* name = request_name(code);
    d.request = name != nullptr ? name : standin::short_hex(code);
    const link_req& f = request.fields;
    if (names_segment(code) || code == ZLIOATL) {
        d.interface = standin::interface_name_of(f).value_or("");
        d.stem = standin::name_as_text(standin::name_in_field(f.name, sizeof f.name));
        d.unit = f.unit;
    }
    if (names_segment(code)) {
        d.flags = f.flags;
        d.flag_names = state_bits(f.flags);
    } else if (code == ZLIOSMODE) {
        d.flags = f.flags;
        d.flag_names = mode_bits(f.flags);
    }
    if (code == ZLIOATL) {
        d.address = standin::ether_address_text(std::span<const std::uint8_t, 6>(f.eaddr));
    }
    return d;
}

std::string request_text(const recorded_request& request) {
    const decoded_request d = decode(request);
    char head[16];
    std::snprintf(head, sizeof head, "%-9s", d.request.c_str());
    std::string line = head;
    if (d.interface) {
        char names[64];
        std::snprintf(names, sizeof names, "  %-6s name=%s unit=%d",
                      standin::name_for_display(*d.interface).c_str(), d.stem->c_str(), *d.unit);
        line += names;
    }
    if (d.flags) {
        line += "  flags=" + standin::hex32(*d.flags);
        if (!d.flag_names.empty()) line.append(" ").append(joined_bits(d.flag_names));
    }
    if (d.address) line += "  eaddr=" + *d.address;
    return line;
}

}  // namespace plan
