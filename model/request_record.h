// One open, request or close on a link device as the driver saw it, with the
// request's record decoded once into the fields its code uses. The request
// log is written from these, zlplan describes requests with the same decoding,
// and tests assert on them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "driver/requests.h"

namespace model {

// The fields a request's code uses; those it ignores stay empty.
struct request_fields {
    std::optional<std::uint64_t> cursor;  // ZLIOGSEG, ZLIOGTL
    // The interface of a segment or table-lookup request, as sent.
    std::optional<std::string> stem;  // the name field up to its NUL: "ce"
    std::optional<std::int32_t> unit;
    std::optional<std::uint32_t> flags;  // a segment's state or the link's mode
    std::optional<std::array<std::uint8_t, kEtherAddrLen>> address;  // ZLIOATL

    bool operator==(const request_fields&) const = default;
};

request_fields decode_fields(std::uint32_t code, const link_req& record);

struct request_record {
    enum class kind { open, request, close };
    kind what = kind::request;
    // An open's path as given; else the link device's name, or "fd=12" for a
    // descriptor the driver does not know.
    std::string who;
    int open_flags = 0;
    unsigned long code = 0;  // as sent; known_request() says whether the driver knows it
    // None when the request carries no record or it could not be copied in.
    std::optional<request_fields> fields;
    int error = 0;  // 0, or the errno value it failed with

    bool operator==(const request_record&) const = default;
};

// The request's name, or null for a code the driver does not know.
const char* known_request(unsigned long code);

}  // namespace model
