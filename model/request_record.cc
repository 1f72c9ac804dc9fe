#include "model/request_record.h"

#include <algorithm>

#include "model/name_text.h"

namespace model {

request_fields decode_fields(std::uint32_t code, const link_req& record) {
    request_fields fields;
    const bool segment = code == ZLIOASEG || code == ZLIOSSEG || code == ZLIODSEG;
    if (code == ZLIOGSEG || code == ZLIOGTL) {
        fields.cursor = record.cursor;
    }
    if (segment || code == ZLIOATL) {
        fields.stem = std::string(name_in_field(record.name, sizeof record.name));
        fields.unit = record.unit;
    }
    if (segment || code == ZLIOSMODE) {
        fields.flags = record.flags;
    }
    if (code == ZLIOATL) {
        fields.address.emplace();
        std::copy_n(record.eaddr, kEtherAddrLen, fields.address->begin());
    }
    return fields;
}

const char* known_request(unsigned long code) {
    return code <= UINT32_MAX ? request_name(static_cast<std::uint32_t>(code)) : nullptr;
}

}  // namespace model
