// Names as text in logs and state files. Names are byte strings that may hold
// anything; as text every byte outside '!'..'~', and '\' and '#', becomes
// \xNN, so a name is always one whitespace-free word that reads back exactly.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace model {

std::string name_as_text(std::string_view name);

// A name for people to read: printable ASCII stays, every other byte and '\'
// become \xNN, so a name from the driver or a state file cannot move the
// cursor, clear a terminal or pass for two names.
std::string name_for_display(std::string_view name);

// The bytes of a name written by name_as_text; nothing for a malformed escape.
std::optional<std::string> name_from_text(std::string_view text);

// A name field's bytes up to its NUL, or the whole field when it has none.
std::string_view name_in_field(const char* field, std::size_t width);

}  // namespace model
