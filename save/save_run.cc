#include "save/save_run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "companion/command_line.h"
#include "companion/link_json.h"
#include "driver/link_driver.h"
#include "model/link_names.h"
#include "model/state_file.h"
#include "run_failure.h"
#include "save/driver_links.h"
#include "save/saved_config.h"
#include "zlconf_version.h"

namespace save {

namespace {

constexpr int kDriverStatus = 1;

constexpr const char* kUsage =
    "usage: zlsave [--state | --json] [-o FILE] [LINK...]\n"
    "       zlsave --help | --version\n"
    "Prints the driver's links (all, or those named: zl0..zl8, zlumi0..zlumi8) as a\n"
    "configuration file that recreates them from nothing: per link a block that\n"
    "deletes it, then one that builds it again. Only reads the driver. --state\n"
    "prints them as a zlsim state file instead, --json as link objects. -o FILE\n"
    "replaces FILE only once the whole save is written. Exit status: 0 saved, 1 a\n"
    "link that cannot be opened or read or FILE not written, 2 wrong arguments.\n";

constexpr companion::program kZlsave{"zlsave", kUsage};

constexpr const char* kHeader =
    "^# Written by zlsave (zlconf %s). Each link is deleted, then built again as\n"
    "^# the driver held it; applying this file with zlconf restores these links.\n";

constexpr const char* kAbsentHeading =
    "^# Links the driver did not have: restoring removes any made since.\n";

enum class save_format { config, state, json };

struct read_links {
    std::vector<std::pair<std::string, link_snapshot>> held;  // device name, link as read
    std::vector<std::string> absent;                          // devices without a link
};

// Every link is read before anything is written: a partial save must not pass
// for a whole one. Throws std::runtime_error for a link that cannot be opened
// or read.
read_links read_from_driver(const std::vector<std::string>& named) {
    const bool all = named.empty();
    read_links links;
    bool any_opened = false;
    for (const std::string& name : all ? all_link_names() : named) {
        driver_link read;
        try {
            read = read_driver_link(name);
        } catch (const run_failure& failure) {
            throw std::runtime_error(name + ": " + failure.message());
        }
        if (!read.opened) {
            if (all && no_such_link(read.open_error)) continue;
            throw std::runtime_error("open /dev/" + name + ": " + std::strerror(read.open_error) +
                                     "\n");
        }
        any_opened = true;
        if (read.link) {
            links.held.emplace_back(name, std::move(*read.link));
        } else {
            links.absent.push_back(name);
        }
    }
    if (!any_opened) throw std::runtime_error("no link device could be opened under /dev\n");
    return links;
}

std::string config_text(const read_links& links, std::vector<std::string>& warnings) {
    char header[256];
    std::snprintf(header, sizeof header, kHeader, kZlconfVersion);
    std::string text = header;
    for (const auto& [name, link] : links.held) {
        text += '\n';
        text += saved_link(name, link, warnings);
    }
    if (!links.absent.empty()) {
        text += '\n';
        text += kAbsentHeading;
        for (const std::string& name : links.absent) text += absent_link(name);
    }
    return text;
}

// What the driver holds as the simulated driver's state: a snapshot to plan
// against elsewhere (zlplan --check --state), or to rehearse on.
model::driver_state state_of(const read_links& links) {
    model::driver_state state;
    for (const auto& [name, link] : links.held) state.emplace(name, model::state_of_read(link));
    return state;
}

// Writes `text` to `path` through a new file beside it, synced and renamed over
// it, so that `path` is either as it was or the whole of `text`. An existing
// file keeps its permissions.
void replace_file(const std::string& path, const std::string& text) {
    const auto failed = [&path](const char* what, int error) {
        return std::runtime_error("cannot " + std::string(what) + " " + path + ": " +
                                  std::strerror(error) + "\n");
    };
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) throw failed("write beside", errno);
    const mode_t umask_now = ::umask(0);
    ::umask(umask_now);
    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~umask_now);
    std::size_t written = 0;
    int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
    while (error == 0 && written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno != EINTR) error = errno;
        if (n > 0) written += static_cast<std::size_t>(n);
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        throw failed("write", error);
    }
    // The rename itself lasts once the folder is synced.
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

struct command_line {
    std::vector<std::string> named;
    save_format format = save_format::config;
    std::string output;  // empty: standard output
};

// The format an option asks for; wrong when it contradicts an earlier one.
void choose_format(command_line& c, save_format chosen) {
    if (c.format != save_format::config && c.format != chosen) {
        throw companion::wrong_arguments("--state and --json exclude each other");
    }
    c.format = chosen;
}

command_line read_command_line(companion::arguments& args) {
    command_line c;
    while (args.more()) {
        const companion::argument arg = args.take();
        if (arg.option && (arg.text == "--state" || arg.text == "--json")) {
            choose_format(c, arg.text == "--state" ? save_format::state : save_format::json);
        } else if (arg.option && arg.text == "-o") {
            c.output = args.value_of(arg, "-o", "a file name");
        } else if (companion::arguments::names(arg, "--output")) {
            c.output = args.value_of(arg, "--output", "a file name");
        } else if (arg.option) {
            companion::unknown_option(arg);
        } else if (!model::is_link_device_name(arg.text)) {
            throw companion::wrong_arguments("not a link name: " + arg.text);
        } else if (std::find(c.named.begin(), c.named.end(), arg.text) == c.named.end()) {
            c.named.push_back(arg.text);  // a link named twice is saved once
        }
    }
    return c;
}

}  // namespace

int zlsave_main(int argc, char** argv) {
    command_line c;
    const auto read = [&c](companion::arguments& args) { c = read_command_line(args); };
    if (const auto ended = companion::read_command_line(kZlsave, argc, argv, read)) return *ended;
    try {
        const read_links links = read_from_driver(c.named);
        std::vector<std::string> warnings;
        const std::string text =
            c.format == save_format::state  ? model::format_state(state_of(links))
            : c.format == save_format::json ? companion::json_of_state(state_of(links))
                                            : config_text(links, warnings);
        for (const std::string& w : warnings) std::fprintf(stderr, "zlsave: %s\n", w.c_str());
        if (!c.output.empty()) {
            replace_file(c.output, text);
            return 0;
        }
        // Written last, so that main's flush reports this write's own error.
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zlsave: %s", error.what());
        return kDriverStatus;
    }
}

}  // namespace save
