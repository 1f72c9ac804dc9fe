#include "sim/sim_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "companion/command_line.h"
#include "companion/link_json.h"
#include "model/failure_plan.h"
#include "model/name_text.h"
#include "model/state_file.h"
#include "model/state_folder.h"
#include "model/state_lock.h"
#include "report/link_report.h"
#include "sim/device_mask.h"
#include "sim/sim_paths.h"

namespace sim {

namespace {

namespace fs = std::filesystem;

unsigned closed_streams = 0;  // as hand_on_closed_streams was told

// Just before the command is started, in its process.
void close_handed_on_streams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if ((closed_streams & (1U << fd)) != 0) ::close(fd);
    }
}
using model::state_folder;
using model::state_lock;

constexpr int kFileStatus = 1;
constexpr int kCannotStart = 125;
constexpr int kCannotExecute = 126;
constexpr int kNotFound = 127;

// How zlsim starts a copy of itself to see that the loader preloads the stand-in.
constexpr const char* kProbeVerb = "--preload-probe";

// Opens each run's part of the log; request lines never start with '#'.
constexpr const char* kLogHeader = "# run";

constexpr const char* kUsage =
    "usage: zlsim run [--state FILE] [--fail RULES] [--] COMMAND [ARGUMENT...]\n"
    "       zlsim show [--state FILE] [--json]\n"
    "       zlsim reset [--state FILE] [FROM_STATE_FILE]\n"
    "       zlsim log [--state FILE] [--all]\n"
    "       zlsim --help | --version\n"
    "A simulated link-aggregation driver: `run` runs COMMAND (zlconf, zlplan,\n"
    "zlsave) with the driver's devices simulated; the links persist in the state\n"
    "file between runs. The state file is zlsim.state in the current directory\n"
    "unless --state or $ZLSIM_STATE names another; the runs' request log is\n"
    "FILE.log beside it. RULES inject failures, e.g. ZLIOCLINK:1:EBUSY or\n"
    "open:zl3:ENOENT.\n"
    "Exit status: run's is the command's (125 cannot start it, 126 cannot execute\n"
    "it, 127 not found); otherwise 0 done, 1 a file error, 2 wrong arguments.\n";

constexpr companion::program kZlsim{"zlsim", kUsage};

struct command_line {
    std::string verb;
    std::string state = default_state_path();
    std::string fail;
    bool all = false;               // log: every run, not only the last
    bool json = false;              // show: one JSON document
    std::vector<std::string> rest;  // the command of `run`, the source of `reset`
};

// The verb, then its options, then its words: the command of `run`, the
// state file of `reset`. Whatever belongs to another verb is wrong here.
command_line read_command_line(companion::arguments& args) {
    using companion::wrong_arguments;
    command_line c;
    if (!args.more()) throw wrong_arguments("no command given");
    const companion::argument verb = args.take();
    if (verb.option) companion::unknown_option(verb);
    c.verb = verb.text;
    while (args.more()) {
        const std::string* next = args.peek();
        if (next == nullptr || next->size() < 2 || (*next)[0] != '-') break;
        const companion::argument arg = args.take();
        if (!arg.option) {
            c.rest.push_back(arg.text);  // after "--", the command itself
            break;
        }
        if (companion::arguments::names(arg, "--state")) {
            c.state = args.value_of(arg, "--state", "a file name");
        } else if (companion::arguments::names(arg, "--fail")) {
            c.fail = args.value_of(arg, "--fail", "a value");
        } else if (arg.text == "--all") {
            c.all = true;
        } else if (arg.text == "--json") {
            c.json = true;
        } else {
            companion::unknown_option(arg);
        }
    }
    for (std::string& word : args.rest()) c.rest.push_back(std::move(word));
    if (c.all && c.verb != "log") throw wrong_arguments("--all belongs to log");
    if (c.verb == "run" && !c.json) {
        if (c.rest.empty()) throw wrong_arguments("run needs a command");
        return c;
    }
    if (!c.fail.empty()) throw wrong_arguments("--fail belongs to run");
    if (c.json && c.verb != "show") throw wrong_arguments("--json belongs to show");
    if (c.verb == "reset" && c.rest.size() > 1) {
        throw wrong_arguments("reset takes at most one state file");
    }
    const bool known = ((c.verb == "show" || c.verb == "log") && c.rest.empty()) ||
                       c.verb == "reset" || c.verb == "help";
    if (!known) throw wrong_arguments("unknown command or extra argument: zlsim " + c.verb);
    return c;
}

std::string absolute(const std::string& path) {
    return fs::absolute(path).lexically_normal().string();
}

std::string with_prefix(const std::string& first, const char* variable, char separator) {
    const char* existing = std::getenv(variable);
    if (existing == nullptr || *existing == '\0') return first;
    return first + separator + existing;
}

// The line that opens a run's part of the log: the command and the time.
// Control characters are shown as '?', so that the line stays one line.
std::string log_header(const std::vector<std::string>& command) {
    std::string line = kLogHeader;
    for (const std::string& word : command) {
        line += ' ';
        for (const char ch : word) {
            const auto byte = static_cast<unsigned char>(ch);
            line += byte < 0x20 || byte == 0x7f ? '?' : ch;
        }
    }
    char when[64];
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::strftime(when, sizeof when, " (%Y-%m-%d %H:%M:%S UTC)\n", &utc);
    return line + when;
}

// Appends `text` to the log; returns the log's size before, so that the
// append can be taken back.
off_t append_to_log(const state_folder& folder, const std::string& log, const std::string& text) {
    const model::owned_fd fd(folder.open(log, O_WRONLY | O_APPEND | O_CREAT));
    if (fd.get() < 0) model::fail_on(folder.path_of(log), "write");
    const off_t before = ::lseek(fd.get(), 0, SEEK_END);
    if (before < 0 ||
        ::write(fd.get(), text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        model::fail_on(folder.path_of(log), "write");
    }
    return before;
}

state_lock::patience lock_patience() {
    return state_lock::patience_from_environment();
}

// Whether the loader preloads the stand-in into a process started as the
// command will be, with the same environment and in the same directory: a
// copy of zlsim, which succeeds only when the stand-in's constructor marked
// it. The loader only warns about a preload it cannot take, and would start
// the command against the real driver.
bool loader_preloads_standin() {
    const std::string self = own_path();
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        ::execl(self.c_str(), "zlsim", kProbeVerb, static_cast<char*>(nullptr));
        _exit(kCannotStart);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The command's process, which signals sent to zlsim are passed on to.
volatile sig_atomic_t command_pid = 0;

void pass_on(int signal) {
    if (command_pid > 0) ::kill(static_cast<pid_t>(command_pid), signal);
}

// Runs the command in a process of its own whose mount namespace covers this
// machine's link devices, waits for it, and says whether it opened one
// without the simulated driver. Its status is the command's.
int run_covered(device_mask& mask, std::vector<char*>& arguments) {
    const pid_t child = ::fork();
    if (child < 0) {
        std::fprintf(stderr, "zlsim: fork: %s\n", std::strerror(errno));
        return kCannotStart;
    }
    if (child == 0) {
        if (const std::string why = mask.cover(); !why.empty()) {
            std::fprintf(stderr,
                         "zlsim: cannot hide the link devices of this machine (%s): a command "
                         "that escapes the simulated driver reaches them\n",
                         why.c_str());
        }
        close_handed_on_streams();
        execvp(arguments[0], arguments.data());
        const int error = errno;
        std::fprintf(stderr, "zlsim: %s: %s\n", arguments[0],
                     error == ENOENT ? "command not found" : std::strerror(error));
        _exit(error == ENOENT ? kNotFound : kCannotExecute);
    }
    command_pid = child;
    struct sigaction passing {};
    passing.sa_handler = pass_on;
    for (const int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM})
        ::sigaction(signal, &passing, nullptr);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (mask.opened()) {
        std::fputs(
            "zlsim: the command opened a link device without the simulated driver: it "
            "escaped the rehearsal (a static or setuid program, or one started without "
            "LD_PRELOAD); see zlsim(1)\n",
            stderr);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// Runs the command, its link devices simulated: in place of this process, or,
// where this machine has link devices of its own, in a process whose view of
// them is covered. The lock is let go before the command starts: its
// processes take it for each update of their own.
int run_command(const command_line& c) {
    const state_folder folder(c.state);
    std::optional<state_lock> lock;
    lock.emplace(folder, state_lock::kind::exclusive, "zlsim", lock_patience());
    model::load_state(folder);  // a bad state file is reported here, not by the command
    model::failure_plan::parse(c.fail);
    const std::string preload = preload_library();
    if (preload.empty()) {
        std::fputs("zlsim: the simulated driver's library is not found (set ZLSIM_PRELOAD)\n",
                   stderr);
        return kCannotStart;
    }
    // The loader splits LD_PRELOAD at each of these.
    if (preload.find_first_of(" \t\n:") != std::string::npos) {
        std::fprintf(stderr,
                     "zlsim: %s: a space or a colon in the simulated driver's library path would "
                     "split it in LD_PRELOAD; the command is not run\n",
                     preload.c_str());
        return kCannotStart;
    }
    if (const std::string problem = preload_problem(preload); !problem.empty()) {
        std::fprintf(stderr, "zlsim: %s; the command is not run, lest it reach the real driver\n",
                     problem.c_str());
        return kCannotStart;
    }
    const std::string log = folder.name() + ".log";
    setenv("LD_PRELOAD", with_prefix(preload, "LD_PRELOAD", ':').c_str(), 1);
    setenv("ZLSTANDIN_STATE", absolute(c.state).c_str(), 1);
    setenv("ZLSTANDIN_LOG", absolute(folder.path_of(log)).c_str(), 1);
    if (c.fail.empty()) {
        unsetenv("ZLSTANDIN_FAIL");
    } else {
        setenv("ZLSTANDIN_FAIL", c.fail.c_str(), 1);
    }
    // A command built with the address sanitizer would insist on coming first.
    setenv("ASAN_OPTIONS", with_prefix("verify_asan_link_order=0", "ASAN_OPTIONS", ':').c_str(), 1);
    if (!loader_preloads_standin()) {
        std::fprintf(stderr,
                     "zlsim: the loader did not preload %s; the command is not run, lest it "
                     "reach the real driver\n",
                     preload.c_str());
        return kCannotStart;
    }
    const off_t log_before = append_to_log(folder, log, log_header(c.rest));
    // zlconf and zlplan of the same build or installation come first.
    const std::string here = own_directory();
    setenv("PATH", with_prefix(here + ":" + here + "/../sbin", "PATH", ':').c_str(), 1);

    std::vector<char*> arguments;
    for (const std::string& arg : c.rest) arguments.push_back(const_cast<char*>(arg.c_str()));
    arguments.push_back(nullptr);
    std::fflush(nullptr);
    lock.reset();
    if (device_mask mask; mask.needed()) return run_covered(mask, arguments);
    close_handed_on_streams();
    execvp(arguments[0], arguments.data());
    const int error = errno;
    // A command that never ran leaves the log as the last run left it.
    const model::owned_fd fd(folder.open(log, O_WRONLY));
    if (fd.get() < 0 || ::ftruncate(fd.get(), log_before) != 0) {
        std::fprintf(stderr, "zlsim: cannot take back the log's header: %s\n",
                     std::strerror(errno));
    }
    std::fprintf(stderr, "zlsim: %s: %s\n", arguments[0],
                 error == ENOENT ? "command not found" : std::strerror(error));
    return error == ENOENT ? kNotFound : kCannotExecute;
}

int show(const command_line& c) {
    const state_folder folder(c.state);
    const state_lock lock(folder, state_lock::kind::shared, "zlsim", lock_patience());
    const model::driver_state state = model::load_state(folder).value_or(model::driver_state{});
    if (state.empty() && !c.json) {
        std::fprintf(stderr, "zlsim: no simulated links in %s\n", c.state.c_str());
        return 0;
    }
    const std::string text = c.json ? companion::json_of_state(state) : dumpinfo_of_state(state);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

// Replaces only a state file, or nothing: a path that leads elsewhere, or
// names a file of another kind, is left as it is.
int reset(const command_line& c) {
    model::driver_state state;
    if (!c.rest.empty()) {
        if (!fs::exists(c.rest[0])) {
            std::fprintf(stderr, "zlsim: %s: no such state file\n", c.rest[0].c_str());
            return kFileStatus;
        }
        state = model::load_state_file(c.rest[0]);
    }
    const state_folder folder(c.state);
    const state_lock lock(folder, state_lock::kind::exclusive, "zlsim", lock_patience());
    try {
        model::load_state(folder);
    } catch (const model::state_file_error& error) {
        throw model::state_file_error(std::string(error.what()) + "; not replaced: reset " +
                                      "replaces only a state file, or makes a new one");
    }
    model::save_state(folder, state);
    ::unlinkat(folder.fd(), (folder.name() + ".log").c_str(), 0);
    return 0;
}

// The requests after the last header line; the whole log when it has none.
std::string last_run_of(const std::string& text) {
    const std::string header = std::string(kLogHeader) + ' ';
    std::size_t start = text.starts_with(header) ? 0 : std::string::npos;
    if (const std::size_t later = text.rfind('\n' + header); later != std::string::npos) {
        start = later + 1;
    }
    if (start == std::string::npos) return text;
    const std::size_t header_end = text.find('\n', start);
    return header_end == std::string::npos ? std::string() : text.substr(header_end + 1);
}

// The log as the runs appended it: `zlsim log` shows the requests of the last
// run, `zlsim log --all` every run under its header line.
int show_log(const command_line& c) {
    const state_folder folder(c.state);
    const std::string log = folder.name() + ".log";
    const state_lock lock(folder, state_lock::kind::shared, "zlsim", lock_patience());
    const model::owned_fd fd(folder.open(log, O_RDONLY));
    if (fd.get() < 0) {
        if (errno != ENOENT) model::fail_on(folder.path_of(log), "read");
        std::fprintf(stderr, "zlsim: no run logged yet (%s)\n", folder.path_of(log).c_str());
        return kFileStatus;
    }
    std::string text = model::read_limited(fd.get(), folder.path_of(log), SIZE_MAX);
    if (!c.all) text = last_run_of(text);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

int carry_out(const command_line& c) {
    if (c.verb == "run") return run_command(c);
    if (c.verb == "show") return show(c);
    if (c.verb == "reset") return reset(c);
    if (c.verb == "log") return show_log(c);
    std::fputs(kUsage, stdout);  // help, as a verb
    return 0;
}

}  // namespace

std::string dumpinfo_of_state(const model::driver_state& state) {
    std::string out;
    for (const auto& [device, link] : state) {
        out += link_report(model::snapshot_as_read(link),
                           {model::name_for_display, report_form::named_bits});
    }
    return out;
}

void hand_on_closed_streams(unsigned descriptors) {
    closed_streams = descriptors;
}

int zlsim_main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], kProbeVerb) == 0) {
        const char* mark = std::getenv("ZLSTANDIN_LOADED");
        return mark != nullptr && std::to_string(::getpid()) == mark ? 0 : kCannotStart;
    }
    command_line c;
    const auto read = [&c](companion::arguments& args) { c = read_command_line(args); };
    if (const auto ended = companion::read_command_line(kZlsim, argc, argv, read)) return *ended;
    try {
        return carry_out(c);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zlsim: %s\n", error.what());
        return c.verb == "run" ? kCannotStart : kFileStatus;
    }
}

}  // namespace sim
