// Runs a built program in a directory, with standard input from a string and
// its output streams and exit status captured.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
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

/// `env` is added to this process's environment; "NAME=" with nothing after
/// the sign removes NAME.
inline child_result run_child(const std::filesystem::path& dir, std::vector<std::string> args,
                              const std::vector<std::string>& env = {},
                              const std::string& input = {}) {
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
        execv(argv[0], argv.data());
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
                (name + "-" + std::to_string(getpid()) + "-" + std::to_string(serial()++))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~scratch_dir() { std::filesystem::remove_all(path_); }
    scratch_dir(const scratch_dir&) = delete;
    scratch_dir& operator=(const scratch_dir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    static int& serial() {
        static int n = 0;
        return n;
    }
    std::filesystem::path path_;
};
