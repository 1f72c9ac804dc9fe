#include "model/name_text.h"

#include <charconv>
#include <cstring>

#include "model/number_text.h"

namespace model {

namespace {

constexpr std::size_t kEscapeLength = 4;  // \xNN

bool stands_for_itself(char c) {
    return c >= '!' && c <= '~' && c != '\\' && c != '#';
}

bool displays_as_itself(char c) {
    return c >= ' ' && c <= '~' && c != '\\';
}

std::string escaped(std::string_view name, bool (*kept)(char)) {
    std::string text;
    text.reserve(name.size());
    for (const char c : name) {
        if (kept(c)) {
            text += c;
            continue;
        }
        text += escaped_byte(static_cast<unsigned char>(c));
    }
    return text;
}

}  // namespace

std::string name_as_text(std::string_view name) {
    return escaped(name, stands_for_itself);
}

std::string name_for_display(std::string_view name) {
    return escaped(name, displays_as_itself);
}

std::optional<std::string> name_from_text(std::string_view text) {
    std::string name;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '\\') {
            name += text[i++];
            continue;
        }
        if (text.size() - i < kEscapeLength || text[i + 1] != 'x') {
            return std::nullopt;
        }
        unsigned int byte = 0;
        const char* digits = text.data() + i + 2;
        const auto [end, failure] = std::from_chars(digits, digits + 2, byte, 16);
        if (failure != std::errc{} || end != digits + 2) {
            return std::nullopt;
        }
        name += static_cast<char>(byte);
        i += kEscapeLength;
    }
    return name;
}

std::string_view name_in_field(const char* field, std::size_t width) {
    const void* terminator = std::memchr(field, '\0', width);
    const std::size_t length =
        terminator == nullptr
            ? width
            : static_cast<std::size_t>(static_cast<const char*>(terminator) - field);
    return {field, length};
}

}  // namespace model
