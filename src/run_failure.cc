#include "run_failure.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>

// Variadic as printf is, so that the compiler checks each format against its arguments.
// NOLINTNEXTLINE(cert-dcl50-cpp)
run_failure::run_failure(int status, std::FILE* stream, const char* format, ...)
    : status_(status), stream_(stream) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(message_, sizeof message_, format, args);
    va_end(args);
}

run_failure run_failure::system_error(int status, const char* prefix, int errnum) {
    return run_failure(status, stderr, "%s: %s\n", prefix, std::strerror(errnum));
}

run_failure run_failure::out_of_memory() {
    return system_error(1, "zlconf", ENOMEM);
}
