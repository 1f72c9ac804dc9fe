#include "zlconf_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_file(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

}  // namespace

zlconf_process_result run_zlconf_process(const zlconf_process_run& run) {
    static int runs = 0;
    const fs::path dir = fs::temp_directory_path() / ("zlconf-process-" + std::to_string(getpid()) +
                                                      "-" + std::to_string(++runs));
    fs::create_directories(dir);
    write_file(dir / "zlconf.conf", run.config);
    write_file(dir / "driver.state", run.state);

    std::vector<std::string> env{
        "LD_PRELOAD=" + (run.preload.empty() ? std::string(STANDIN_PRELOAD) : run.preload),
        "ZLSTANDIN_STATE=driver.state", "ZLSTANDIN_LOG=requests.log"};
    for (const std::string& e : run.env) env.push_back(replaced(e, "$REPORT", "report"));

    const pid_t child = fork();
    if (child == 0) {
        const int out = open((dir / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open((dir / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (chdir(dir.c_str()) != 0 || out < 0 || err < 0) _exit(126);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<std::string> args{"zlconf", "zlconf.conf"};
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (std::string& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        execve(ZLCONF_BINARY, argv.data(), envp.data());
        _exit(127);
    }
    int wait_status = 0;
    waitpid(child, &wait_status, 0);

    zlconf_process_result result;
    if (WIFEXITED(wait_status)) result.status = WEXITSTATUS(wait_status);
    if (WIFSIGNALED(wait_status)) result.signal = WTERMSIG(wait_status);
    result.out = read_file(dir / "stdout");
    result.err = read_file(dir / "stderr");
    result.log = read_file(dir / "requests.log");
    result.report = read_file(dir / "report");
    fs::remove_all(dir);
    return result;
}
