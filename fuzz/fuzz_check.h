// How a fuzz target reports a broken invariant: it names it on standard error
// and aborts, which the fuzzer records as a crash with the input that did it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

inline void fuzz_check(bool holds, std::string_view invariant, std::string_view detail = "") {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %.*s %.*s\n", static_cast<int>(invariant.size()),
                 invariant.data(), static_cast<int>(detail.size()), detail.data());
    std::abort();
}
