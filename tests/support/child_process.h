// Runs a built program in a directory, with standard input from a string and
// its output streams and exit status captured; or in a scratch directory
// against the preloaded stand-in driver.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

struct child_result {
    int status = -1;  // the exit status, or 128 + the signal
    std::string out;
    std::string err;
};

inline std::string file_text(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void write_text(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

/// A standard stream of the child put elsewhere: reopened for writing on
/// `path`, or closed when `path` is empty.
struct stream_change {
    int fd;
    std::string path;
};

/// `env` is added to this process's environment; "NAME=" with nothing after
/// the sign removes NAME.
inline child_result run_child(const std::filesystem::path& dir, std::vector<std::string> args,
                              const std::vector<std::string>& env = {},
                              const std::string& input = {},
                              const std::vector<stream_change>& streams = {}) {
    write_text(dir / ".stdin", input);
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        const int in = open(".stdin", O_RDONLY);
        const int out = open(".stdout", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(".stderr", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        for (const stream_change& s : streams) {
            close(s.fd);
            if (s.path.empty()) continue;
            const int reopened = open(s.path.c_str(), O_WRONLY);  // the lowest free: s.fd
            if (reopened != s.fd) _exit(126);
        }
        for (const std::string& e : env) {
            const std::size_t equals = e.find('=');
            const std::string name = e.substr(0, equals);
            const std::string value = e.substr(equals + 1);
            if (value.empty()) {
                unsetenv(name.c_str());
            } else {
                setenv(name.c_str(), value.c_str(), 1);
            }
        }
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int wait_status = 0;
    waitpid(child, &wait_status, 0);
    child_result r;
    r.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
    r.out = file_text(dir / ".stdout");
    r.err = file_text(dir / ".stderr");
    return r;
}

/// A fresh directory under the temporary one, removed with the object.
class scratch_dir {
public:
    explicit scratch_dir(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                (name + "-" + std::to_string(getpid()) + "-" + std::to_string(serial_++))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~scratch_dir() { std::filesystem::remove_all(path_); }
    scratch_dir(const scratch_dir&) = delete;
    scratch_dir& operator=(const scratch_dir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    inline static int serial_ = 0;
    std::filesystem::path path_;
};

struct standin_run {
    std::string config;             // written to `config_name`
    std::string state;              // the driver's state before the run
    std::string input;              // standard input
    std::string failures;           // ZLSTANDIN_FAIL
    std::vector<std::string> args;  // after the program's name
    std::vector<std::string> env;   // more NAME=value pairs, after the stand-in's
    std::string config_name = "zlconf.conf";
};

struct standin_result : child_result {
    std::string log;          // the stand-in's request log
    std::string state_after;  // the driver's state file afterwards
};

/// Runs `program` in `dir` with the stand-in preloaded, found on PATH so that
/// it sees its own name. ZLCONF_TEST_WRAPPER (say, "valgrind -q
/// --error-exitcode=99") runs it under that command.
inline standin_result run_under_standin(const std::filesystem::path& dir,
                                        const std::filesystem::path& program,
                                        const standin_run& run,
                                        const std::vector<stream_change>& streams = {}) {
    write_text(dir / run.config_name, run.config);
    write_text(dir / "driver.state", run.state);
    std::filesystem::create_directories(dir / "bin");
    std::filesystem::create_symlink(program, dir / "bin" / program.filename());
    std::vector<std::string> args;
    if (const char* wrapper = std::getenv("ZLCONF_TEST_WRAPPER"); wrapper != nullptr) {
        std::istringstream words(wrapper);
        args.assign(std::istream_iterator<std::string>(words), {});
    }
    args.push_back(program.filename().string());
    std::vector<std::string> env{"PATH=" + (dir / "bin").string() + ":/usr/local/bin:/usr/bin:/bin",
                                 std::string("LD_PRELOAD=") + STANDIN_PRELOAD,
                                 "ZLSTANDIN_STATE=driver.state", "ZLSTANDIN_LOG=requests.log",
                                 "ZLSTANDIN_FAIL=" + run.failures,
                                 // The tool may be built with the address sanitizer, which would
                                 // otherwise insist on coming before the preloaded stand-in.
                                 "ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1",
                                 "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"};
    args.insert(args.end(), run.args.begin(), run.args.end());
    env.insert(env.end(), run.env.begin(), run.env.end());
    standin_result r;
    static_cast<child_result&>(r) = run_child(dir, args, env, run.input, streams);
    r.log = file_text(dir / "requests.log");
    r.state_after = file_text(dir / "driver.state");
    return r;
}
