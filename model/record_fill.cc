#include "model/record_fill.h"

#include <stdexcept>
#include <string>

namespace model {

fill_policy parse_fill_policy(std::string_view text) {
    if (text.empty() || text == "varied") return fill_policy::varied;
    if (text == "zeros") return fill_policy::zeros;
    if (text == "a5") return fill_policy::a5;
    throw std::invalid_argument("fill policy \"" + std::string(text) +
                                "\": expected zeros, a5 or varied");
}

record_image record_fill::next(record_kind_written kind) {
    record_image image;
    const std::uint32_t serial = written_[static_cast<std::size_t>(kind)]++;
    const unsigned turn = policy_ == fill_policy::zeros ? 0U
                          : policy_ == fill_policy::a5  ? 1U
                                                        : serial % 3;
    if (turn < 2) {
        image.fill(turn == 0 ? 0x00 : 0xA5);
        return image;
    }
    // No byte of the pattern is 0x00 or 0x01, so no 32-bit field reads as 0 or 1.
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(0x80U | ((serial * 29U + i * 7U) & 0x7FU));
    }
    return image;
}

}  // namespace model
