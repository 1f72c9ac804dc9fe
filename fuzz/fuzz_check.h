// How a fuzz target reports a broken invariant: it names it and aborts, which
// the fuzzer records as a crash with the input that did it. The name goes to
// the sanitizer's report too, since fuzz/run closes the targets' stderr.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Present when a sanitizer runtime is linked in.
extern "C" void __sanitizer_report_error_summary(const char* summary)  // NOLINT
    __attribute__((weak));

inline void fuzz_check(bool holds, std::string_view invariant, std::string_view detail = "") {
    if (holds) return;
    const std::string message =
        "invariant broken: " + std::string(invariant) + " " + std::string(detail);
    std::fprintf(stderr, "%s\n", message.c_str());
    if (__sanitizer_report_error_summary != nullptr) {
        __sanitizer_report_error_summary(message.c_str());
    }
    std::abort();
}
