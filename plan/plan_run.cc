#include "plan/plan_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>

#include "config/lexer.h"
#include "config/parser.h"
#include "globals.h"
#include "link/description.h"
#include "plan/echo_capture.h"
#include "plan/json_report.h"
#include "plan/plan_recorder.h"
#include "plan/syntax_message.h"
#include "plan/text_report.h"
#include "run_failure.h"
#include "zlconf_version.h"

namespace plan {

namespace {

constexpr const char* kDefaultConfig = "/etc/zlumi.conf";

constexpr const char* kUsage =
    "usage: zlplan [--json] [<config_file> | - ]\n"
    "       zlplan --help | --version\n"
    "Shows what zlconf would do with the file: for each link block the state read\n"
    "from the driver, the requests zlconf would send, and the state afterwards.\n"
    "Only reads the driver. Exit status: 0 plan printed, 1 syntax or driver\n"
    "error, 2 input not readable or wrong arguments.\n";

// Restores the device seam however the parse ends.
class device_in_use {
public:
    explicit device_in_use(device& d) : previous_(current_device()) { use_device(d); }
    ~device_in_use() { use_device(previous_); }
    device_in_use(const device_in_use&) = delete;
    device_in_use& operator=(const device_in_use&) = delete;

private:
    device& previous_;
};

std::string without_newline(std::string text) {
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

std::string visible_tabs(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '\t' ? std::string("\\t") : std::string(1, c);
    return out;
}

// The one line zlconf writes on a syntax error.
std::string syntax_error_line(const syntax_error_report& report) {
    return visible_tabs("*** \t Syntax error line " + std::to_string(report.line));
}

void note_syntax_error(whole_plan& plan, const source_text& source,
                       const syntax_error_report& report) {
    plan.outcome = outcome::syntax_error;
    syntax_problem problem;
    problem.at = source.point_at(report.offset);
    problem.message = syntax_message(report);
    problem.hint = syntax_hint(report);
    problem.source_line = source.line(problem.at.line);
    problem.zlconf_says = syntax_error_line(report);
    plan.stop = problem.at;
    plan.zlconf_message = problem.zlconf_says;
    plan.syntax = std::move(problem);
}

// Reads the whole input; the message says why not.
std::optional<std::string> read_input(const std::string& path, std::string& message) {
    const bool standard_input = path == "-";
    const int fd = standard_input ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        message = "can't open " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::string text;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            message = "can't read " + (standard_input ? std::string("standard input") : path) +
                      ": " + std::strerror(errno);
            if (!standard_input) ::close(fd);
            return std::nullopt;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    if (!standard_input) ::close(fd);
    return text;
}

struct command_line {
    bool json = false;
    bool help = false;
    bool version = false;
    std::string path = kDefaultConfig;
    std::string error;
};

command_line parse_command_line(int argc, char** argv) {
    command_line c;
    bool have_path = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--json") {
            c.json = true;
        } else if (arg == "-h" || arg == "--help") {
            c.help = true;
        } else if (arg == "--version") {
            c.version = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            c.error = "unknown option " + arg;
        } else if (have_path) {
            c.error = "more than one configuration file";
        } else {
            c.path = arg;
            have_path = true;
        }
    }
    return c;
}

}  // namespace

whole_plan make_plan(const std::string& input, std::string text, device& real) {
    whole_plan plan;
    plan.input = input;
    const source_text source(std::move(text));
    planning_device planner(real);
    const device_in_use in_use(planner);
    echo_capture echoes(source);
    source_bytes bytes(source.text());
    lexer lex(bytes, echoes.stream());
    echoes.watch(lex);
    plan_recorder recorder(zlconf_actions(), lex, planner, source, plan);

    zl = nullptr;
    working_seg = nullptr;
    linkfp = 0;
    lineno = 1;
    char* said = nullptr;
    std::size_t said_size = 0;
    std::FILE* zlconf_diagnostics = open_memstream(&said, &said_size);
    if (zlconf_diagnostics == nullptr) throw std::bad_alloc();
    try {
        syntax_error_report report;
        if (yyparse(lex, recorder, zlconf_diagnostics, report) != 0) {
            note_syntax_error(plan, source, report);
        }
    } catch (const run_failure& failure) {
        plan.zlconf_message = without_newline(failure.message());
        if (failure.stream() == echoes.stream()) {
            plan.outcome = outcome::too_long;
            plan.stop = source_point{static_cast<int>(lineno), 0};
        } else if (planner.failure() && !plan.links.empty()) {
            plan.outcome = outcome::read_failure;
            plan.failure = planner.failure();
            plan.stop = plan.links.back().at;
        } else {
            std::fclose(zlconf_diagnostics);
            std::free(said);
            throw;
        }
    }
    std::fclose(zlconf_diagnostics);
    std::free(said);
    // zlconf leaves a block that never reached its end to the process's exit.
    if (zl != nullptr) release_link_description();
    working_seg = nullptr;
    linkfp = 0;
    plan.ignored = echoes.ignored();
    return plan;
}

int zlplan_main(int argc, char** argv) {
    const command_line c = parse_command_line(argc, argv);
    if (c.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (c.version) {
        std::printf("zlplan (zlconf) %s\n", kZlconfVersion);
        return 0;
    }
    if (!c.error.empty()) {
        std::fprintf(stderr, "zlplan: %s\n%s", c.error.c_str(), kUsage);
        return 2;
    }
    std::string message;
    std::optional<std::string> text = read_input(c.path, message);
    if (!text) {
        std::fprintf(stderr, "zlplan: %s\n", message.c_str());
        return 2;
    }
    try {
        const whole_plan plan =
            make_plan(c.path == "-" ? "<stdin>" : c.path, std::move(*text), system_device());
        const std::string out = c.json ? plan_json(plan) : plan_text(plan);
        std::fwrite(out.data(), 1, out.size(), stdout);
        std::fflush(stdout);
        const std::string diagnostics = diagnostics_text(plan);
        std::fwrite(diagnostics.data(), 1, diagnostics.size(), stderr);
        return plan.status();
    } catch (const run_failure& failure) {
        std::fprintf(stderr, "zlplan: %s", failure.message());
        return failure.status();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zlplan: %s\n", error.what());
        return 1;
    }
}

}  // namespace plan
