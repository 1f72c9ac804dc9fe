#include "plan/request_text.h"

#include "model/link_names.h"
#include "model/name_text.h"
#include "model/number_text.h"
#include "model/request_record.h"
#include "report/link_report.h"

namespace plan {

decoded_request decode(const recorded_request& request) {
    decoded_request d;
    const std::uint32_t code = request.code;
    const char* name = request_name(code);
    d.request = name != nullptr ? name : model::short_hex(code);
    const model::request_fields f = model::decode_fields(code, request.fields);
    if (f.stem) {
        d.interface = model::interface_name_of(request.fields).value_or("");
        d.stem = model::name_as_text(*f.stem);
        d.unit = f.unit;
    }
    if (f.flags) {
        d.flags = f.flags;
        d.flag_names = code == ZLIOSMODE ? mode_bits(*f.flags) : state_bits(*f.flags);
    }
    if (f.address) d.address = model::ether_address_text(*f.address);
    return d;
}

namespace {

// As printf's "%-*s" pads, without a buffer that could cut a long name.
std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

}  // namespace

std::string request_text(const recorded_request& request) {
    const decoded_request d = decode(request);
    std::string line = padded(d.request, 9);
    if (d.interface) {
        line += "  " + padded(model::name_for_display(*d.interface), 6) + " name=" + *d.stem +
                " unit=" + std::to_string(*d.unit);
    }
    if (d.flags) {
        line += "  flags=" + model::hex32(*d.flags);
        if (!d.flag_names.empty()) line.append(" ").append(joined_bits(d.flag_names));
    }
    if (d.address) line += "  eaddr=" + *d.address;
    return line;
}

}  // namespace plan
