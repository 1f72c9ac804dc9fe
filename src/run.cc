#include "run.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "config/byte_source.h"
#include "io/standard_streams.h"
#include "run_failure.h"
#include "session.h"

namespace {

constexpr const char* kDefaultConfig = "/etc/zlumi.conf";

void usage(const char* prog) {
    std::fprintf(stderr, "usage: %s [<config_file> | - ]\n", prog);
}

void report(const run_failure& failure) {
    std::fputs(failure.message(), failure.stream());
}

}  // namespace

int configure(byte_source& input, std::FILE* out, std::FILE* diagnostics) {
    session run(input, out, system_device());
    return configure(run, diagnostics);
}

int configure(session& run, std::FILE* diagnostics) {
    try {
        return run.parse(diagnostics);
    } catch (const run_failure& failure) {
        report(failure);
        return failure.status();
    } catch (const std::bad_alloc&) {
        const run_failure failure = run_failure::out_of_memory();
        report(failure);
        return failure.status();
    }
}

int zlconf_main(int argc, char** argv) {
    const char* prog = argc > 0 ? argv[0] : "zlconf";
    if (argc > 2) {
        std::fprintf(stderr, "%s: Wrong number of args\n", prog);
        usage(prog);
        return 1;
    }
    const char* path = argc == 2 ? argv[1] : kDefaultConfig;
    const bool from_standard_input = std::strcmp(path, "-") == 0;
    if (!from_standard_input && std::freopen(path, "r", stdin) == nullptr) {
        const int error = errno;
        std::fprintf(stderr, "can't open %s: %s\n", path, std::strerror(error));
        return 2;
    }
    descriptor_source input(fileno(stdin), from_standard_input ? "standard input" : path);
    checked_output out(STDOUT_FILENO);
    const int status = configure(input, out.stream(), stderr);
    std::fclose(stdin);
    return finish_output("zlconf", status, out.finish());
}
