// Interposes open, ioctl and close when preloaded (LD_PRELOAD), so that a real
// zlconf process talks to the stand-in driver. Only the link device paths and
// the stand-in's own descriptors are taken; everything else goes on to the
// next definition of the function, normally the C library's.

// The interposers must define the plain functions, not fortified wrappers.
#undef _FORTIFY_SOURCE

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdarg>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "standin/preload_session.h"

// zlsim checks for this symbol before it preloads a library, so that a
// command never runs against the real driver by mistake.
extern "C" __attribute__((visibility("default"), used)) const char zlconf_standin_marker[] =
    "zlconf stand-in driver";

namespace {

using open_function = int(const char*, int, ...);
using openat_function = int(int, const char*, int, ...);
using ioctl_function = int(int, unsigned long, ...);
using close_function = int(int);
// What a program built with _FORTIFY_SOURCE calls for an open whose flags the
// compiler cannot see, as a distribution's hardened build does.
using fortified_open_function = int(const char*, int);
using fortified_openat_function = int(int, const char*, int);

constexpr int kBadConfigurationStatus = 3;

[[noreturn]] void die(std::string_view why) {
    const std::string message = "zlstandin: " + std::string(why) + "\n";
    if (::write(STDERR_FILENO, message.data(), message.size()) < 0) {
        // Nothing more can be reported.
    }
    _exit(kBadConfigurationStatus);
}

template <typename Function>
Function* next_definition(const char* name) {
    void* symbol = dlsym(RTLD_NEXT, name);
    if (symbol == nullptr) {
        die(std::string("no next definition of ") + name);
    }
    Function* function = nullptr;
    static_assert(sizeof function == sizeof symbol);
    std::memcpy(&function, &symbol, sizeof function);
    return function;
}

open_function* next_open() {
    static open_function* const function = next_definition<open_function>("open");
    return function;
}
open_function* next_open64() {
    static open_function* const function = next_definition<open_function>("open64");
    return function;
}
openat_function* next_openat() {
    static openat_function* const function = next_definition<openat_function>("openat");
    return function;
}
openat_function* next_openat64() {
    static openat_function* const function = next_definition<openat_function>("openat64");
    return function;
}
ioctl_function* next_ioctl() {
    static ioctl_function* const function = next_definition<ioctl_function>("ioctl");
    return function;
}
close_function* next_close() {
    static close_function* const function = next_definition<close_function>("close");
    return function;
}

// Set while the stand-in runs, so that its own file work (state and log files)
// goes straight to the next definitions.
// Initial-exec: the preload is loaded at start, and a general-dynamic
// thread-local would cost a call on every interposed function.
__attribute__((tls_model("initial-exec"))) thread_local bool inside_standin = false;

class standin_call {
public:
    standin_call() { inside_standin = true; }
    ~standin_call() { inside_standin = false; }
    standin_call(const standin_call&) = delete;
    standin_call& operator=(const standin_call&) = delete;
};

// Never destroyed: a descriptor may still be closed while the process exits.
standin::preload_session& session() {
    static standin::preload_session& instance = []() -> standin::preload_session& {
        try {
            return *standin::preload_session::from_environment().release();
        } catch (const std::exception& error) {
            die(error.what());
        }
    }();
    return instance;
}

template <typename Call>
int run_standin(Call call) noexcept {
    const standin_call marker;
    try {
        return call(session());
    } catch (const std::exception& error) {
        die(error.what());
    }
}

bool takes_link_path(const char* path) {
    return !inside_standin && standin::names_link_device(path);
}

bool is_standin_descriptor(int fd) {
    return !inside_standin && fd >= model::kFirstDescriptor;
}

bool takes_mode(int flags) {
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
}

// In sink mode every request on the one descriptor is answered here, before
// any other work, so that a benchmark sees as little of the stand-in as can be.
int sink_descriptor = -1;

int open_link(const char* path, int flags) {
    const int fd = run_standin([&](standin::preload_session& s) { return s.open(path, flags); });
    if (fd >= 0 && session().sink()) sink_descriptor = fd;
    return fd;
}

}  // namespace

#define STANDIN_EXPORT __attribute__((visibility("default")))

// The mode argument exists only when the flags ask for one.
#define STANDIN_MODE_ARGUMENT(last_named) \
    mode_t mode = 0;                      \
    if (takes_mode(flags)) {              \
        va_list arguments;                \
        va_start(arguments, last_named);  \
        mode = va_arg(arguments, mode_t); \
        va_end(arguments);                \
    }

extern "C" {

STANDIN_EXPORT int open(const char* path, int flags, ...) {
    if (takes_link_path(path)) {
        return open_link(path, flags);
    }
    STANDIN_MODE_ARGUMENT(flags)
    return next_open()(path, flags, mode);
}

STANDIN_EXPORT int open64(const char* path, int flags, ...) {
    if (takes_link_path(path)) {
        return open_link(path, flags);
    }
    STANDIN_MODE_ARGUMENT(flags)
    return next_open64()(path, flags, mode);
}

// A link device path is absolute, so the directory descriptor does not matter.
STANDIN_EXPORT int openat(int directory, const char* path, int flags, ...) {
    if (takes_link_path(path)) {
        return open_link(path, flags);
    }
    STANDIN_MODE_ARGUMENT(flags)
    return next_openat()(directory, path, flags, mode);
}

// The fortified entries never take a mode. Their names are the C library's.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
STANDIN_EXPORT int __open_2(const char* path, int flags) {
    if (takes_link_path(path)) return open_link(path, flags);
    static fortified_open_function* const next =
        next_definition<fortified_open_function>("__open_2");
    return next(path, flags);
}

STANDIN_EXPORT int __open64_2(const char* path, int flags) {
    if (takes_link_path(path)) return open_link(path, flags);
    static fortified_open_function* const next =
        next_definition<fortified_open_function>("__open64_2");
    return next(path, flags);
}

STANDIN_EXPORT int __openat_2(int directory, const char* path, int flags) {
    if (takes_link_path(path)) return open_link(path, flags);
    static fortified_openat_function* const next =
        next_definition<fortified_openat_function>("__openat_2");
    return next(directory, path, flags);
}

STANDIN_EXPORT int __openat64_2(int directory, const char* path, int flags) {
    if (takes_link_path(path)) return open_link(path, flags);
    static fortified_openat_function* const next =
        next_definition<fortified_openat_function>("__openat64_2");
    return next(directory, path, flags);
}
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)

STANDIN_EXPORT int openat64(int directory, const char* path, int flags, ...) {
    if (takes_link_path(path)) {
        return open_link(path, flags);
    }
    STANDIN_MODE_ARGUMENT(flags)
    return next_openat64()(directory, path, flags, mode);
}

// Requests without data pass no third argument; reading one anyway is how
// every ioctl wrapper works, and the driver does not look at it for them.
STANDIN_EXPORT int ioctl(int fd, unsigned long request, ...) noexcept {
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    if (fd == sink_descriptor) return standin::preload_session::sink_ioctl(fd, request);
    if (is_standin_descriptor(fd)) {
        return run_standin(
            [&](standin::preload_session& s) { return s.ioctl(fd, request, argument); });
    }
    return next_ioctl()(fd, request, argument);
}

STANDIN_EXPORT int close(int fd) {
    if (fd == sink_descriptor) return 0;
    if (is_standin_descriptor(fd)) {
        return run_standin([&](standin::preload_session& s) { return s.close(fd); });
    }
    return next_close()(fd);
}

}  // extern "C"
