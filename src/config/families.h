// The families of names the driver knows. A link's name is a link family and
// one unit digit; an interface's name is an interface family and one
// hexadecimal digit or two decimal digits: "zl0", "zlumi8", "ce0", "zwre42".
// bench/generate.py reads its names from the lists below.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

inline constexpr std::string_view kLinkFamilies[] = {"zl", "zlumi"};
inline constexpr std::string_view kLinkUnits = "012345678";
inline constexpr std::string_view kInterfaceFamilies[] = {"ce",  "kce", "tce",  "zce",
                                                          "zme", "zre", "zwce", "zwre"};

/// The index in kLinkFamilies of the family of the link name `name`, or
/// nothing when `name` is no link's name.
constexpr std::optional<std::size_t> link_family_of(std::string_view name) {
    if (name.empty() || kLinkUnits.find(name.back()) == std::string_view::npos) return {};
    name.remove_suffix(1);
    for (std::size_t family = 0; family < std::size(kLinkFamilies); ++family) {
        if (name == kLinkFamilies[family]) return family;
    }
    return {};
}
