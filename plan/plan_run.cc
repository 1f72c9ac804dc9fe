#include "plan/plan_run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <utility>

#include "companion/command_line.h"
#include "config/lexer.h"
#include "config/parser.h"
#include "model/driver.h"
#include "model/model_device.h"
#include "model/state_file.h"
#include "plan/echo_capture.h"
#include "plan/json_report.h"
#include "plan/plan_recorder.h"
#include "plan/planning_device.h"
#include "plan/source_window.h"
#include "plan/syntax_error_place.h"
#include "plan/syntax_message.h"
#include "plan/text_report.h"
#include "plan/written_word.h"
#include "run_failure.h"
#include "session.h"
#include "text/formatting.h"

namespace plan {

namespace {

constexpr const char* kDefaultConfig = "/etc/zlumi.conf";

constexpr const char* kUsage =
    "usage: zlplan [--json] [--full] [--strict] [--exit-code]\n"
    "              [--check [--state FILE]] [--] [<config_file> | - ]\n"
    "       zlplan --help | --version\n"
    "Shows what zlconf would do with the file: for each link block the state read\n"
    "from the driver, what changes, and the requests zlconf would send that change\n"
    "it; --full lists every request and the whole state after each block.\n"
    "Only reads the driver; --check reads none, taking each link from the zlsim\n"
    "state FILE, or as absent. --strict fails on any warning; --exit-code tells\n"
    "a change by status 3. Exit status: 0 plan printed, 1 syntax or driver\n"
    "error (or a warning, with --strict), 2 input not readable or wrong\n"
    "arguments, 3 some link would change (with --exit-code).\n";

constexpr companion::program kZlplan{"zlplan", kUsage};

std::string visible_tabs(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '\t' ? std::string("\\t") : std::string(1, c);
    return out;
}

// The one line zlconf writes on a syntax error.
std::string syntax_error_line(const syntax_error_report& report) {
    return visible_tabs("*** \t Syntax error line " + std::to_string(report.line));
}

// The place taken when zlconf wrote its error line is the report's token's;
// the window is asked only if there was none.
void note_syntax_error(whole_plan& plan, const source_window& source,
                       const syntax_error_place& place, const syntax_error_report& report) {
    plan.outcome = outcome::syntax_error;
    syntax_problem problem;
    if (place.taken() && place.taken()->offset == report.offset) {
        problem.at = place.taken()->at;
        problem.source_line = place.taken()->quote.text;
        problem.caret_column = place.taken()->quote.column;
    } else {
        problem.at = source.point_at(report.offset);
        source_window::quote quote = source.quote_at(report.offset);
        problem.source_line = std::move(quote.text);
        problem.caret_column = quote.column;
    }
    problem.message = syntax_message(report);
    // The token may be a piece of a longer word: quote what the user wrote.
    const written_word word = word_at(problem.source_line, problem.caret_column);
    const std::string token = quoted(report.text);
    if (!word.text.empty() && word.text != report.text &&
        problem.message.starts_with("unexpected " + token)) {
        problem.message.insert(11 + token.size(), " (in `" + word.text + "`)");
    }
    problem.hint = syntax_hint(report);
    problem.zlconf_says = syntax_error_line(report);
    plan.stop = problem.at;
    plan.zlconf_message = problem.zlconf_says;
    plan.syntax = std::move(problem);
}

// The input file's descriptor, closed however the run ends.
class input_file {
public:
    explicit input_file(const std::string& path)
        : fd_(path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC)),
          owned_(path != "-") {}
    ~input_file() {
        if (owned_ && fd_ >= 0) ::close(fd_);
    }
    input_file(const input_file&) = delete;
    input_file& operator=(const input_file&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
    bool owned_;
};

struct command_line {
    bool json = false;
    bool full = false;
    bool check = false;
    bool strict = false;
    bool exit_code = false;
    std::optional<std::string> state;
    std::string path = kDefaultConfig;
};

// The options that only switch something on. `c` is written through the
// pointer returned.
// cppcheck-suppress constParameter
bool* switch_for(command_line& c, const std::string& arg) {
    static const std::pair<const char*, bool command_line::*> switches[] = {
        {"--json", &command_line::json},
        {"--full", &command_line::full},
        {"--check", &command_line::check},
        {"--strict", &command_line::strict},
        {"--exit-code", &command_line::exit_code}};
    for (const auto& [name, member] : switches) {
        if (arg == name) return &(c.*member);
    }
    return nullptr;
}

// Into `c` as the words go, so that the options before a wrong word still
// choose how it is reported.
void read_command_line(companion::arguments& args, command_line& c) {
    bool have_path = false;
    while (args.more()) {
        const companion::argument arg = args.take();
        bool* on = arg.option ? switch_for(c, arg.text) : nullptr;
        if (on != nullptr) {
            *on = true;
        } else if (companion::arguments::names(arg, "--state")) {
            c.state = args.value_of(arg, "--state", "a file name");
        } else if (arg.option) {
            companion::unknown_option(arg);
        } else if (have_path) {
            throw companion::wrong_arguments("more than one configuration file");
        } else {
            c.path = arg.text;
            have_path = true;
        }
    }
    if (c.state && !c.check) throw companion::wrong_arguments("--state goes with --check");
}

}  // namespace

void make_plan(whole_plan& plan, byte_source& in, device& real, plan_output& out) {
    planning_device planner(real, plan.every_request, plan.states_only);
    source_window source(in);
    echo_capture echoes(source, out, plan);
    // zlconf leaves a block that never reached its end to the process's exit;
    // the plan's session releases it when the plan is made.
    session zlconf(source, echoes, planner);
    lexer& lex = zlconf.lex();
    source.watch(lex);
    plan_recorder recorder(zlconf, lex, planner, source, plan, out);

    syntax_error_place error_place(source);
    out.begin(plan);
    try {
        syntax_error_report report;
        if (yyparse(lex, recorder, nullptr, report, &error_place) != 0) {
            note_syntax_error(plan, source, error_place, report);
        }
    } catch (const run_failure& failure) {
        plan.zlconf_message = without_newline(failure.message());
        if (lex.over_limit()) {
            plan.outcome = outcome::too_long;
            plan.stop = source_point{zlconf.lineno, 0};
        } else if (planner.failure() && plan.block) {
            plan.outcome = outcome::read_failure;
            plan.failure = planner.failure();
            plan.stop = plan.block->at;
        } else {
            throw;
        }
    }
    echoes.finish();
    if (plan.outcome != outcome::too_long && source.goes_on_after_nul(lex.token_offset())) {
        ++plan.warnings;
        out.warning(plan, {source.point_at(lex.token_offset()),
                           "a NUL byte ends the input here for zlconf: nothing after it is read"});
    }
    if (plan.block) out.link(plan, *plan.block);
    out.end(plan);
}

namespace {

// Runs the plan; the message of a failure that leaves none goes to standard
// error and to the output, and its status is returned.
int plan_to(plan_output& out, const command_line& c) {
    whole_plan plan;
    plan.input = c.path == "-" ? "<stdin>" : c.path;
    plan.every_request = c.full;
    plan.strict = c.strict;
    plan.exit_code = c.exit_code;
    std::string message;
    int status = 1;
    try {
        const input_file input(c.path);
        if (input.fd() < 0) {
            const int error = errno;
            message = "can't open " + c.path + ": " + std::strerror(error);
            status = 2;
        } else {
            descriptor_source bytes(input.fd(), c.path == "-" ? "standard input" : c.path.c_str());
            if (!c.check) {
                make_plan(plan, bytes, system_device(), out);
                return plan.status();
            }
            // The stand-in driver's model, in this process: no device is opened.
            plan.driver = c.state ? "links read from the state file " + *c.state
                                  : "every link taken as absent";
            // A state file that is not there is a mistyped name, not an empty driver.
            if (struct stat given{}; c.state && ::stat(c.state->c_str(), &given) != 0) {
                const int error = errno;
                message = "can't read the state file " + *c.state + ": " + std::strerror(error);
                status = 2;
                std::fprintf(stderr, "zlplan: %s\n", message.c_str());
                out.fail(plan, message, status);
                return status;
            }
            model::unlogged_device offline(c.state ? model::load_state_file(*c.state)
                                                   : model::driver_state{});
            make_plan(plan, bytes, offline, out);
            return plan.status();
        }
    } catch (const model::state_file_error& error) {
        message = error.what();
        status = 2;
    } catch (const run_failure& failure) {
        // zlconf's own report of a record it could not allocate names zlconf.
        const bool out_of_memory =
            std::strcmp(failure.message(), run_failure::out_of_memory().message()) == 0;
        message = out_of_memory ? std::strerror(ENOMEM) : without_newline(failure.message());
        status = failure.status();
    } catch (const std::bad_alloc&) {
        message = std::strerror(ENOMEM);
    } catch (const std::exception& error) {
        message = error.what();
    }
    std::fprintf(stderr, "zlplan: %s\n", message.c_str());
    out.fail(plan, message, status);
    return status;
}

}  // namespace

int zlplan_main(int argc, char** argv) {
    try {
        command_line c;
        std::string wrong;
        const auto read = [&](companion::arguments& args) {
            try {
                read_command_line(args, c);
            } catch (const companion::wrong_arguments& error) {
                wrong = error.what();
                throw;
            }
        };
        const std::optional<int> ended = companion::read_command_line(kZlplan, argc, argv, read);
        text_output text(stdout, stderr);
        json_output json(stdout, stderr);
        plan_output* chosen = &text;
        if (c.json) chosen = &json;
        plan_output& out = *chosen;
        if (!wrong.empty()) {
            // The usage went to standard error; --json's reader gets the failure too.
            whole_plan plan;
            plan.input = c.path;
            out.fail(plan, wrong, companion::kWrongArguments);
        }
        if (ended) return *ended;
        return plan_to(out, c);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "zlplan: %s\n", std::strerror(ENOMEM));
        return 1;
    }
}

}  // namespace plan
