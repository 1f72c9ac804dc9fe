#include "model/record_images.h"

#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace model {

namespace {

template <typename Value>
void put(record_image& image, std::size_t offset, const Value& value) {
    static_assert(std::is_trivially_copyable_v<Value>);
    std::memcpy(image.data() + offset, &value, sizeof value);
}

// A name of the full field width is written without a NUL, as the format allows
// the driver to; the tool must never read past the field.
void put_name(record_image& image, std::size_t offset, std::string_view name) {
    const std::size_t length = name.size() < kNameField ? name.size() : kNameField;
    std::memcpy(image.data() + offset, name.data(), length);
    // cppcheck takes the length for always short, losing the full-width case.
    // cppcheck-suppress knownConditionTrueFalse
    if (length < kNameField) {
        image[offset + length] = 0;
    }
}

}  // namespace

record_image link_record(record_image image, const link_state& link, std::uint64_t first_segment,
                         std::uint64_t first_entry) {
    put_name(image, offsetof(link_desc, name), link.record_name);
    put(image, offsetof(link_desc, mode), link.mode | ZLM_EXISTS);
    put(image, offsetof(link_desc, segs), first_segment);
    put(image, offsetof(link_desc, ttls), first_entry);
    return image;
}

record_image segment_record(record_image image, const segment_state& segment, std::uint64_t next) {
    put_name(image, offsetof(seg_desc, name), segment.name);
    put(image, offsetof(seg_desc, speed), segment.speed);
    put(image, offsetof(seg_desc, duplex), segment.duplex);
    put(image, offsetof(seg_desc, state), segment.state | ZLS_EXISTS);
    put(image, offsetof(seg_desc, next), next);
    return image;
}

record_image lookup_record(record_image image, const lookup_entry& entry, std::uint64_t next) {
    put(image, offsetof(ttl_entry, eaddr), entry.address);
    put_name(image, offsetof(ttl_entry, ifname), entry.ifname);
    // `installed` is the tool's to set; it keeps the blank's bytes.
    put(image, offsetof(ttl_entry, next), next);
    return image;
}

}  // namespace model
