#include "model/log_lines.h"

#include "model/errno_names.h"
#include "model/name_text.h"
#include "model/number_text.h"

namespace model {

namespace {

std::string result_text(int error) {
    return " -> " + (error == 0 ? std::string("ok") : errno_name(error));
}

std::string interface_fields(const link_req& request) {
    return " name=" + name_as_text(name_in_field(request.name, sizeof request.name)) +
           " unit=" + std::to_string(request.unit);
}

std::string fields_used(std::uint32_t code, const link_req& request) {
    switch (code) {
        case ZLIOGSEG:
        case ZLIOGTL: return " cursor=" + hex64(request.cursor);
        case ZLIOASEG:
        case ZLIOSSEG:
        case ZLIODSEG: return interface_fields(request) + " flags=" + hex32(request.flags);
        case ZLIOATL:
            return interface_fields(request) + " eaddr=" + ether_address_text(request.eaddr);
        case ZLIOSMODE: return " flags=" + hex32(request.flags);
        default: return "";
    }
}

}  // namespace

std::string unknown_descriptor(int fd) {
    return "fd=" + std::to_string(fd);
}

std::string open_line(std::string_view path, int flags, int error) {
    return "open " + name_as_text(path) + " flags=" + short_hex(static_cast<unsigned int>(flags)) +
           result_text(error);
}

std::string request_line(std::string_view who, unsigned long code, const link_req* request,
                         int error) {
    std::string line(who);
    const char* name =
        code <= UINT32_MAX ? request_name(static_cast<std::uint32_t>(code)) : nullptr;
    if (name == nullptr) {
        return line + " unknown-code " + short_hex(code) + result_text(error);
    }
    line += ' ';
    line += name;
    if (request != nullptr) {
        line += fields_used(static_cast<std::uint32_t>(code), *request);
    }
    return line + result_text(error);
}

std::string close_line(std::string_view who, int error) {
    return "close " + std::string(who) + (error == 0 ? "" : result_text(error));
}

}  // namespace model
