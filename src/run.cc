#include "run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "config/byte_source.h"
#include "config/lexer.h"
#include "config/parser.h"
#include "globals.h"
#include "run_failure.h"

namespace {

constexpr const char* kDefaultConfig = "/etc/zlumi.conf";

void usage(const char* prog) {
    std::fprintf(stderr, "usage: %s [<config_file> | - ]\n", prog);
}

int parse_standard_input(const char* label) {
    zl = nullptr;
    working_seg = nullptr;
    descriptor_source input(fileno(stdin), label);
    lexer lex(input, stdout);
    const int result = yyparse(lex, zlconf_bound_actions(), stderr);
    std::fclose(stdin);
    return result;
}

}  // namespace

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
    try {
        return parse_standard_input(from_standard_input ? "standard input" : path);
    } catch (const run_failure& failure) {
        std::fputs(failure.message(), failure.stream());
        return failure.status();
    } catch (const std::bad_alloc&) {
        const run_failure failure = run_failure::out_of_memory();
        std::fputs(failure.message(), failure.stream());
        return failure.status();
    }
}
