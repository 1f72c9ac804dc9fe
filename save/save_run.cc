#include "save/save_run.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/link_names.h"
#include "run_failure.h"
#include "save/driver_links.h"
#include "save/saved_config.h"
#include "zlconf_version.h"

namespace save {

namespace {

constexpr int kUsageStatus = 2;
constexpr int kDriverStatus = 1;

constexpr const char* kUsage =
    "usage: zlsave [LINK...]\n"
    "       zlsave --help | --version\n"
    "Prints the driver's links (all, or those named: zl0..zl8, zlumi0..zlumi8) as a\n"
    "configuration file that recreates them from nothing: per link a block that\n"
    "deletes it, then one that builds it again. Only reads the driver. Exit status:\n"
    "0 saved, 1 a link that cannot be opened or read, 2 wrong arguments.\n";

constexpr const char* kHeader =
    "^# Written by zlsave (zlconf %s). Each link is deleted, then built again as\n"
    "^# the driver held it; applying this file with zlconf restores these links.\n";

constexpr const char* kAbsentHeading =
    "^# Links the driver did not have: restoring removes any made since.\n";

// A missing device node, or no driver behind it: the link cannot exist.
bool no_such_device(int error) {
    return error == ENOENT || error == ENXIO || error == ENODEV;
}

struct save_result {
    std::string text;
    std::vector<std::string> warnings;
};

// Throws std::runtime_error for a link that cannot be opened or read.
save_result save_links(const std::vector<std::string>& named) {
    const bool all = named.empty();
    save_result result;
    char header[256];
    std::snprintf(header, sizeof header, kHeader, kZlconfVersion);
    result.text = header;
    std::string absent;
    bool any_opened = false;
    for (const std::string& name : all ? all_link_names() : named) {
        driver_link read;
        try {
            read = read_driver_link(name);
        } catch (const run_failure& failure) {
            throw std::runtime_error(name + ": " + failure.message());
        }
        if (!read.opened) {
            if (all && no_such_device(read.open_error)) continue;
            throw std::runtime_error("open /dev/" + name + ": " + std::strerror(read.open_error) +
                                     "\n");
        }
        any_opened = true;
        if (read.link) {
            result.text += '\n';
            result.text += saved_link(name, *read.link, result.warnings);
        } else {
            absent += absent_link(name);
        }
    }
    if (!any_opened) throw std::runtime_error("no link device could be opened under /dev\n");
    if (!absent.empty()) result.text += "\n" + std::string(kAbsentHeading) + absent;
    return result;
}

}  // namespace

int zlsave_main(int argc, char** argv) {
    std::vector<std::string> named;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("zlsave (zlconf) %s\n", kZlconfVersion);
            return 0;
        }
        if (!model::is_link_device_name(arg)) {
            std::fprintf(stderr, "zlsave: %s %s\n%s",
                         arg.starts_with("-") ? "unknown option" : "not a link name:", arg.c_str(),
                         kUsage);
            return kUsageStatus;
        }
        // A link named twice is saved once.
        if (std::find(named.begin(), named.end(), arg) == named.end()) named.push_back(arg);
    }
    try {
        const save_result saved = save_links(named);
        // Nothing is printed until every link has been read: a partial save
        // must not pass for a whole one.
        for (const std::string& w : saved.warnings) std::fprintf(stderr, "zlsave: %s\n", w.c_str());
        // Written last, so that main's flush reports this write's own error.
        std::fwrite(saved.text.data(), 1, saved.text.size(), stdout);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zlsave: %s", error.what());
        return kDriverStatus;
    }
}

}  // namespace save
