#include "model/state_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

namespace model {

namespace {

std::string process_name(const std::string& pid) {
    std::ifstream comm("/proc/" + pid + "/comm");
    std::string name;
    std::getline(comm, name);
    return name.empty() ? std::string() : " (" + name + ")";
}

void pause_ms(int ms) {
    const timespec pause{0, static_cast<long>(ms) * 1000 * 1000};
    ::nanosleep(&pause, nullptr);
}

}  // namespace

// /proc/locks: "1: FLOCK  ADVISORY  WRITE 13312 fe:00:10953172 0 EOF", the
// device's major and minor numbers in hex; a waiter's line has "->".
std::string lock_holders(int fd) {
    struct stat file {};
    if (::fstat(fd, &file) != 0) return {};
    char device[64];
    std::snprintf(device, sizeof device, "%02x:%02x:%lu", major(file.st_dev), minor(file.st_dev),
                  static_cast<unsigned long>(file.st_ino));
    std::ifstream locks("/proc/locks");
    std::string holders;
    for (std::string line; std::getline(locks, line);) {
        std::istringstream words(line);
        std::string number;
        std::string type;
        std::string advisory;
        std::string access;
        std::string pid;
        std::string where;
        words >> number >> type >> advisory >> access >> pid >> where;
        if (type == "->" || where != device) continue;
        if (!holders.empty()) holders += ", ";
        holders += "pid " + pid + process_name(pid);
    }
    return holders;
}

state_lock::patience state_lock::patience_from_environment() {
    patience wait;
    if (const char* seconds = std::getenv("ZLSIM_LOCK_TIMEOUT"); seconds != nullptr) {
        char* end = nullptr;
        const long value = std::strtol(seconds, &end, 10);
        if (*seconds != '\0' && *end == '\0' && value > 0 && value < 24 * 3600) {
            wait.give_up_after_ms = static_cast<int>(value * 1000);
        }
    }
    return wait;
}

state_lock::state_lock(const state_folder& folder, kind how, const char* program, patience wait) {
    const std::string file = folder.name() + ".lock";
    const std::string path = folder.path_of(file);
    int fd = folder.open(file, O_RDWR | O_CREAT);
    // A reader that cannot make the lock file may still share an existing one.
    if (fd < 0 && how == kind::shared) fd = folder.open(file, O_RDONLY);
    if (fd < 0) {
        if (how == kind::shared && (errno == EROFS || errno == EACCES || errno == ENOENT)) return;
        fail_on(path, "lock");
    }
    fd_ = owned_fd(fd);
    const int operation = (how == kind::shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    constexpr int kStepMs = 20;
    bool reported = false;
    for (int waited = 0; ::flock(fd, operation) != 0; waited += kStepMs) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) fail_on(path, "lock");
        if (waited >= wait.give_up_after_ms) {
            const std::string holders = lock_holders(fd);
            throw state_file_error(path + ": still locked" +
                                   (holders.empty() ? "" : " by " + holders) + " after " +
                                   std::to_string(waited / 1000) + " s; not waiting longer");
        }
        if (!reported && waited >= wait.report_after_ms) {
            const std::string holders = lock_holders(fd);
            std::fprintf(stderr, "%s: waiting for %s, held by %s\n", program, path.c_str(),
                         holders.empty() ? "another process" : holders.c_str());
            reported = true;
        }
        pause_ms(kStepMs);
    }
}

state_lock::~state_lock() = default;

}  // namespace model
