#include "sim/sim_run.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/sim_paths.h"
#include "sim/state_report.h"
#include "standin/failure_plan.h"
#include "standin/state_file.h"
#include "zlconf_version.h"

namespace sim {

namespace {

namespace fs = std::filesystem;

constexpr int kUsageStatus = 2;
constexpr int kFileStatus = 1;
constexpr int kCannotStart = 125;
constexpr int kCannotExecute = 126;
constexpr int kNotFound = 127;

constexpr const char* kUsage =
    "usage: zlsim run [--state FILE] [--fail RULES] [--] COMMAND [ARGUMENT...]\n"
    "       zlsim show [--state FILE] [--json]\n"
    "       zlsim reset [--state FILE] [FROM_STATE_FILE]\n"
    "       zlsim log [--state FILE]\n"
    "       zlsim --help | --version\n"
    "A simulated link-aggregation driver: `run` runs COMMAND (zlconf, zlplan,\n"
    "zlsave) with the driver's devices simulated; the links persist in the state\n"
    "file between runs. The state file is zlsim.state in the current directory\n"
    "unless --state or $ZLSIM_STATE names another; the last run's request log is\n"
    "FILE.log beside it. RULES inject failures, e.g. ZLIOCLINK:1:EBUSY or\n"
    "open:zl3:ENOENT.\n"
    "Exit status: run's is the command's (125 cannot start it, 126 cannot execute\n"
    "it, 127 not found); otherwise 0 done, 1 a file error, 2 wrong arguments.\n";

struct command_line {
    std::string verb;
    std::string state = default_state_path();
    std::string fail;
    bool json = false;
    std::vector<std::string> rest;  // the command of `run`, the source of `reset`
};

// Throws std::invalid_argument with the message for the user.
command_line parse_command_line(int argc, char** argv) {
    command_line c;
    if (argc < 2) throw std::invalid_argument("no command given");
    c.verb = argv[1];
    int i = 2;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&](const std::string& option) {
            if (arg.starts_with(option + "=")) return arg.substr(option.size() + 1);
            if (i + 1 == argc) throw std::invalid_argument(option + " needs a value");
            return std::string(argv[++i]);
        };
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg == "--state" || arg.starts_with("--state=")) {
            c.state = value("--state");
        } else if (arg == "--fail" || arg.starts_with("--fail=")) {
            c.fail = value("--fail");
        } else if (arg == "--json") {
            c.json = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw std::invalid_argument("unknown option " + arg);
        } else {
            break;
        }
    }
    for (; i < argc; ++i) c.rest.emplace_back(argv[i]);
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

// Replaces this process with the command, its link devices simulated.
int run_command(const command_line& c) {
    if (c.rest.empty()) throw std::invalid_argument("run needs a command");
    standin::load_state_file(c.state);  // a bad state file is reported here, not by the command
    standin::failure_plan::parse(c.fail);
    const std::string preload = preload_library();
    if (preload.empty()) {
        std::fputs("zlsim: the simulated driver's library is not found (set ZLSIM_PRELOAD)\n",
                   stderr);
        return kCannotStart;
    }
    const std::string log = log_path_for(c.state);
    if (!std::ofstream(log, std::ios::trunc)) {
        std::fprintf(stderr, "zlsim: cannot write %s: %s\n", log.c_str(), std::strerror(errno));
        return kCannotStart;
    }
    setenv("LD_PRELOAD", with_prefix(preload, "LD_PRELOAD", ':').c_str(), 1);
    setenv("ZLSTANDIN_STATE", absolute(c.state).c_str(), 1);
    setenv("ZLSTANDIN_LOG", absolute(log).c_str(), 1);
    if (c.fail.empty()) {
        unsetenv("ZLSTANDIN_FAIL");
    } else {
        setenv("ZLSTANDIN_FAIL", c.fail.c_str(), 1);
    }
    // A command built with the address sanitizer would insist on coming first.
    setenv("ASAN_OPTIONS", with_prefix("verify_asan_link_order=0", "ASAN_OPTIONS", ':').c_str(), 1);
    // zlconf and zlplan of the same build or installation come first.
    const std::string here = own_directory();
    setenv("PATH", with_prefix(here + ":" + here + "/../sbin", "PATH", ':').c_str(), 1);

    std::vector<char*> arguments;
    for (const std::string& arg : c.rest) arguments.push_back(const_cast<char*>(arg.c_str()));
    arguments.push_back(nullptr);
    std::fflush(nullptr);
    execvp(arguments[0], arguments.data());
    const int error = errno;
    std::fprintf(stderr, "zlsim: %s: %s\n", arguments[0],
                 error == ENOENT ? "command not found" : std::strerror(error));
    return error == ENOENT ? kNotFound : kCannotExecute;
}

int show(const command_line& c) {
    const standin::driver_state state = standin::load_state_file(c.state);
    if (state.empty() && !c.json) {
        std::fprintf(stderr, "zlsim: no simulated links in %s\n", c.state.c_str());
        return 0;
    }
    std::cout << (c.json ? json_of_state(state) : dumpinfo_of_state(state));
    return 0;
}

int reset(const command_line& c) {
    if (c.rest.size() > 1) throw std::invalid_argument("reset takes at most one state file");
    standin::driver_state state;
    if (!c.rest.empty()) {
        if (!fs::exists(c.rest[0])) {
            std::fprintf(stderr, "zlsim: %s: no such state file\n", c.rest[0].c_str());
            return kFileStatus;
        }
        state = standin::load_state_file(c.rest[0]);
    }
    standin::save_state_file(c.state, state);
    std::error_code ignored;
    fs::remove(log_path_for(c.state), ignored);
    return 0;
}

int show_log(const command_line& c) {
    const std::string log = log_path_for(c.state);
    std::ifstream in(log, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "zlsim: no run logged yet (%s)\n", log.c_str());
        return kFileStatus;
    }
    std::cout << in.rdbuf();
    return 0;
}

int carry_out(const command_line& c) {
    if (c.verb == "run" && !c.json) return run_command(c);
    if (!c.fail.empty()) throw std::invalid_argument("--fail belongs to run");
    if (c.json && c.verb != "show") throw std::invalid_argument("--json belongs to show");
    if (c.verb == "show" && c.rest.empty()) return show(c);
    if (c.verb == "reset") return reset(c);
    if (c.verb == "log" && c.rest.empty()) return show_log(c);
    if (c.verb == "help" || c.verb == "--help" || c.verb == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (c.verb == "--version") {
        std::printf("zlsim (zlconf) %s\n", kZlconfVersion);
        return 0;
    }
    throw std::invalid_argument("unknown command or extra argument: zlsim " + c.verb);
}

}  // namespace

int zlsim_main(int argc, char** argv) {
    command_line c;
    try {
        c = parse_command_line(argc, argv);
        return carry_out(c);
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "zlsim: %s\n%s", error.what(), kUsage);
        return kUsageStatus;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zlsim: %s\n", error.what());
        return c.verb == "run" ? kCannotStart : kFileStatus;
    }
}

}  // namespace sim
