#include "standin/log_lines.h"

#include <array>
#include <cinttypes>
#include <cstdio>

#include "standin/errno_names.h"
#include "standin/name_text.h"

namespace standin {

namespace {

using number_text = std::array<char, 32>;

std::string result_text(int error) {
    return " -> " + (error == 0 ? std::string("ok") : errno_name(error));
}

std::string hex32(std::uint32_t value) {
    number_text text{};
    std::snprintf(text.data(), text.size(), "0x%08" PRIx32, value);
    return text.data();
}

std::string hex64(std::uint64_t value) {
    number_text text{};
    std::snprintf(text.data(), text.size(), "0x%016" PRIx64, value);
    return text.data();
}

std::string ether_text(const std::uint8_t (&address)[kEtherAddrLen]) {
    number_text text{};
    std::snprintf(text.data(), text.size(), "%02x:%02x:%02x:%02x:%02x:%02x", address[0], address[1],
                  address[2], address[3], address[4], address[5]);
    return text.data();
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
        case ZLIOATL: return interface_fields(request) + " eaddr=" + ether_text(request.eaddr);
        case ZLIOSMODE: return " flags=" + hex32(request.flags);
        default: return "";
    }
}

}  // namespace

std::string unknown_descriptor(int fd) {
    return "fd=" + std::to_string(fd);
}

std::string open_line(std::string_view path, int flags, int error) {
    number_text flag_text{};
    std::snprintf(flag_text.data(), flag_text.size(), "0x%x", static_cast<unsigned int>(flags));
    return "open " + name_as_text(path) + " flags=" + flag_text.data() + result_text(error);
}

std::string request_line(std::string_view who, unsigned long code, const link_req* request,
                         int error) {
    std::string line(who);
    const char* name =
        code <= UINT32_MAX ? request_name(static_cast<std::uint32_t>(code)) : nullptr;
    if (name == nullptr) {
        number_text code_text{};
        std::snprintf(code_text.data(), code_text.size(), "0x%lx", code);
        return line + " unknown-code " + code_text.data() + result_text(error);
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

}  // namespace standin
