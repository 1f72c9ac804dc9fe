// Runs the built zlconf against the stand-in driver for every transcript in
// tests/transcripts and compares the request log, both output streams, the
// exit status and, where given, the driver's state afterwards.
//
// ZLCONF_UPDATE_TRANSCRIPTS=1 writes what the runs produced back into the
// transcripts, to be read and checked before it is committed.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "transcript.h"

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

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

struct run_outcome {
    std::string log;
    std::string out;
    std::string err;
    std::string status;
    std::string state_after;
};

// Runs zlconf in `dir` with the stand-in preloaded; "$CONFIG" in the arguments
// stands for the transcript's configuration file.
run_outcome run_zlconf(const transcript& t, const fs::path& dir) {
    write_file(dir / "zlconf.conf", t.has("config") ? t.at("config") : "");
    write_file(dir / "driver.state", t.has("state") ? t.at("state") : "");
    write_file(dir / "stdin", t.has("stdin") ? t.at("stdin") : "");

    std::vector<std::string> args{"zlconf"};
    for (const std::string& arg : lines_of(t.has("args") ? t.at("args") : "$CONFIG\n")) {
        args.push_back(arg == "$CONFIG" ? "zlconf.conf" : arg);
    }
    std::vector<std::string> env{
        std::string("LD_PRELOAD=") + STANDIN_PRELOAD,
        "ZLSTANDIN_STATE=driver.state",
        "ZLSTANDIN_LOG=requests.log",
        // The tool may be built with the address sanitizer, which would
        // otherwise insist on coming before the preloaded stand-in.
        "ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1",
        "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1",
    };
    if (t.has("fail")) env.push_back("ZLSTANDIN_FAIL=" + lines_of(t.at("fail")).at(0));

    // ZLCONF_TEST_WRAPPER (say, "valgrind -q --error-exitcode=99") runs every
    // transcript under that command. zlconf is then found on PATH, so that it
    // still sees itself called "zlconf".
    const char* binary = ZLCONF_BINARY;
    if (const char* wrapper = std::getenv("ZLCONF_TEST_WRAPPER"); wrapper != nullptr) {
        fs::create_directories(dir / "bin");
        fs::create_symlink(ZLCONF_BINARY, dir / "bin" / "zlconf");
        env.push_back("PATH=" + (dir / "bin").string() + ":/usr/local/bin:/usr/bin:/bin");
        std::istringstream words(wrapper);
        std::vector<std::string> command(std::istream_iterator<std::string>(words), {});
        args.insert(args.begin(), command.begin(), command.end());
        binary = nullptr;
    }

    const pid_t child = fork();
    if (child == 0) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        const int in = open("stdin", O_RDONLY);
        const int out = open("stdout", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open("stderr", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (std::string& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        if (binary != nullptr) {
            execve(binary, argv.data(), envp.data());
        } else {
            environ = envp.data();
            execvp(argv[0], argv.data());
        }
        _exit(127);
    }
    int wait_status = 0;
    waitpid(child, &wait_status, 0);

    run_outcome r;
    r.log = read_file(dir / "requests.log");
    r.out = read_file(dir / "stdout");
    r.err = read_file(dir / "stderr");
    r.status = WIFEXITED(wait_status) ? std::to_string(WEXITSTATUS(wait_status)) + "\n"
                                      : "signal " + std::to_string(WTERMSIG(wait_status)) + "\n";
    r.state_after = read_file(dir / "driver.state");
    return r;
}

std::vector<std::string> transcript_names() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(TRANSCRIPT_DIR)) {
        if (entry.path().extension() == ".t") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class Transcript : public testing::TestWithParam<std::string> {};

TEST_P(Transcript, RunMatches) {
    const fs::path path = fs::path(TRANSCRIPT_DIR) / (GetParam() + ".t");
    transcript t = read_transcript(path);
    const fs::path dir = fs::temp_directory_path() /
                         ("zlconf-transcript-" + GetParam() + "-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const run_outcome r = run_zlconf(t, dir);
    fs::remove_all(dir);

    const std::vector<std::pair<std::string, const std::string*>> expected{
        {"log", &r.log},
        {"stdout", &r.out},
        {"stderr", &r.err},
        {"status", &r.status},
        {"state after", &r.state_after}};

    if (std::getenv("ZLCONF_UPDATE_TRANSCRIPTS") != nullptr) {
        // The inputs first, then what the run produced, in one order.
        std::erase_if(t.order, [&](const std::string& name) {
            return std::any_of(expected.begin(), expected.end(),
                               [&](const auto& e) { return e.first == name; });
        });
        for (const auto& [name, actual] : expected) {
            if (name == "state after" && !t.has(name)) continue;
            t.order.push_back(name);
            t.sections[name] = *actual;
        }
        write_transcript(path, t);
        return;
    }
    for (const auto& [name, actual] : expected) {
        if (name == "state after" && !t.has(name)) continue;
        ASSERT_TRUE(t.has(name)) << path << " has no section " << name;
        EXPECT_EQ(escape_section(*actual), escape_section(t.at(name)))
            << "section " << name << " of " << path;
    }
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, Transcript, testing::ValuesIn(transcript_names()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

}  // namespace
