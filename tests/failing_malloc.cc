// Makes one allocation of a process fail, for tests of how zlconf copes with
// running out of memory. Preloaded (LD_PRELOAD) in front of the stand-in
// driver, it counts the process's malloc, calloc and realloc calls, and the
// one whose number ZLFAULT_ALLOC_FAIL gives returns null with ENOMEM.
//
// Allocations made while the stand-in driver runs are neither counted nor
// failed: the stand-in stands for the kernel, whose memory is not the tool's.
// So this library also interposes open, ioctl and close, and passes them on
// to the next definition (the stand-in's) with counting paused.
//
// ZLFAULT_ALLOC_REPORT names a file that gets, at exit, the number of counted
// allocations and whether the chosen one was reached: "allocations=N failed=0|1".

// The interposers must define the plain functions, not fortified wrappers.
#undef _FORTIFY_SOURCE

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The C library's own allocator, under the names it exports for wrappers like this.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* old, std::size_t size);
}
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)

namespace {

bool armed = false;         // set once the environment has been read
int paused = 0;             // depth of calls into the stand-in
unsigned long counted = 0;  // allocations counted so far
unsigned long fail_at = 0;  // 0: none fails
bool failed = false;

// True when this allocation is the one to fail.
bool fails_now() {
    if (!armed || paused > 0) return false;
    if (++counted != fail_at) return false;
    failed = true;
    errno = ENOMEM;
    return true;
}

class pause_counting {
public:
    pause_counting() { ++paused; }
    ~pause_counting() { --paused; }
    pause_counting(const pause_counting&) = delete;
    pause_counting& operator=(const pause_counting&) = delete;
};

template <typename Function>
Function* next(const char* name) {
    const pause_counting pause;
    void* symbol = dlsym(RTLD_NEXT, name);
    if (symbol == nullptr) std::abort();
    Function* function = nullptr;
    std::memcpy(&function, &symbol, sizeof function);
    return function;
}

using open_function = int(const char*, int, ...);
using openat_function = int(int, const char*, int, ...);
using ioctl_function = int(int, unsigned long, ...);
using close_function = int(int);

bool takes_mode(int flags) {
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
}

__attribute__((constructor)) void read_environment() {
    if (const char* n = std::getenv("ZLFAULT_ALLOC_FAIL"); n != nullptr) {
        fail_at = std::strtoul(n, nullptr, 10);
    }
    armed = true;
}

__attribute__((destructor)) void write_report() {
    armed = false;
    const char* path = std::getenv("ZLFAULT_ALLOC_REPORT");
    if (path == nullptr) return;
    if (std::FILE* report = std::fopen(path, "w"); report != nullptr) {
        std::fprintf(report, "allocations=%lu failed=%d\n", counted, failed ? 1 : 0);
        std::fclose(report);
    }
}

}  // namespace

#define FAULT_EXPORT extern "C" __attribute__((visibility("default")))

FAULT_EXPORT void* malloc(std::size_t size) noexcept {
    return fails_now() ? nullptr : __libc_malloc(size);
}

FAULT_EXPORT void* calloc(std::size_t count, std::size_t size) noexcept {
    return fails_now() ? nullptr : __libc_calloc(count, size);
}

FAULT_EXPORT void* realloc(void* old, std::size_t size) noexcept {
    return fails_now() ? nullptr : __libc_realloc(old, size);
}

// The opening calls, passed on with their mode argument, which exists only
// when the flags ask for one. The arguments are a type and lists of
// parameters, which parentheses would break.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define FAULT_OPEN(name, function_type, parameters, arguments)            \
    FAULT_EXPORT int name parameters {                                    \
        mode_t mode = 0;                                                  \
        if (takes_mode(flags)) {                                          \
            va_list rest;                                                 \
            va_start(rest, flags);                                        \
            mode = va_arg(rest, mode_t);                                  \
            va_end(rest);                                                 \
        }                                                                 \
        static function_type* const forward = next<function_type>(#name); \
        const pause_counting pause;                                       \
        return forward arguments;                                         \
    }
// NOLINTEND(bugprone-macro-parentheses)

FAULT_OPEN(open, open_function, (const char* path, int flags, ...), (path, flags, mode))
FAULT_OPEN(open64, open_function, (const char* path, int flags, ...), (path, flags, mode))
FAULT_OPEN(openat, openat_function, (int directory, const char* path, int flags, ...),
           (directory, path, flags, mode))
FAULT_OPEN(openat64, openat_function, (int directory, const char* path, int flags, ...),
           (directory, path, flags, mode))

FAULT_EXPORT int ioctl(int fd, unsigned long request, ...) noexcept {
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    static ioctl_function* const forward = next<ioctl_function>("ioctl");
    const pause_counting pause;
    return forward(fd, request, argument);
}

FAULT_EXPORT int close(int fd) {
    static close_function* const forward = next<close_function>("close");
    const pause_counting pause;
    return forward(fd);
}
