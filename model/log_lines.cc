#include "model/log_lines.h"

#include "model/errno_names.h"
#include "model/name_text.h"
#include "model/number_text.h"

namespace model {

namespace {

std::string result_text(int error) {
    return " -> " + (error == 0 ? std::string("ok") : errno_name(error));
}

std::string fields_text(const request_fields& fields) {
    std::string text;
    if (fields.cursor) text += " cursor=" + hex64(*fields.cursor);
    if (fields.stem) text += " name=" + name_as_text(*fields.stem);
    if (fields.unit) text += " unit=" + std::to_string(*fields.unit);
    if (fields.flags) text += " flags=" + hex32(*fields.flags);
    if (fields.address) text += " eaddr=" + ether_address_text(*fields.address);
    return text;
}

}  // namespace

std::string unknown_descriptor(int fd) {
    return "fd=" + std::to_string(fd);
}

std::string log_line(const request_record& record) {
    switch (record.what) {
        case request_record::kind::open:
            return "open " + name_as_text(record.who) +
                   " flags=" + short_hex(static_cast<unsigned int>(record.open_flags)) +
                   result_text(record.error);
        case request_record::kind::close:
            return "close " + record.who + (record.error == 0 ? "" : result_text(record.error));
        case request_record::kind::request: break;
    }
    const char* name = known_request(record.code);
    if (name == nullptr) {
        return record.who + " unknown-code " + short_hex(record.code) + result_text(record.error);
    }
    return record.who + ' ' + name + (record.fields ? fields_text(*record.fields) : "") +
           result_text(record.error);
}

}  // namespace model
