#include "apply/confirmation.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ctime>
#include <thread>

#include "apply/apply_lock.h"
#include "apply/signals.h"

namespace apply {

namespace {

using clock = std::chrono::steady_clock;

// How often the confirmation file is looked at when no signal says so; and
// how long `zlapply --confirm` waits for the apply to end once told.
constexpr std::chrono::milliseconds kLookEvery{200};
constexpr std::chrono::seconds kEndWithin{30};

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The controlling terminal, when this process may read it: a process in the
// background would be stopped by the read.
int foreground_terminal() {
    const int tty = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (tty < 0) return -1;
    if (::tcgetpgrp(tty) != ::getpgrp()) {
        ::close(tty);
        return -1;
    }
    return tty;
}

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    while (!text.empty() && text.front() == ' ') text.erase(0, 1);
    return text;
}

}  // namespace

decision terminal_confirmation::wait(int seconds) {
    const clock::time_point deadline = clock::now() + std::chrono::seconds(seconds);
    const int tty = foreground_terminal();
    if (tty >= 0) {
        const std::string question =
            "keep this configuration? [y/N] (reverting in " + std::to_string(seconds) + " s) ";
        if (::write(tty, question.data(), question.size()) < 0) {
            // Asked or not, the answer or the time decides.
        }
    } else {
        std::fprintf(messages_,
                     "zlapply: no terminal to ask; `zlapply --confirm` within %d s keeps this "
                     "configuration, else it is reverted\n",
                     seconds);
        std::fflush(messages_);
    }
    std::string answer;
    decision made;
    for (;;) {
        if (exists(confirm_file_)) {
            made = {true, "confirmed by zlapply --confirm"};
            break;
        }
        if (const char* signal = termination_signal(); signal != nullptr) {
            made = {false, signal};
            break;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - clock::now());
        if (left.count() <= 0) {
            made = {false, "not confirmed within " + std::to_string(seconds) + " s"};
            break;
        }
        pollfd watched[2] = {{signal_pipe(), POLLIN, 0}, {tty, POLLIN, 0}};
        const auto wait_ms = std::min(left, kLookEvery).count();
        if (::poll(watched, tty >= 0 ? 2 : 1, static_cast<int>(wait_ms)) < 0 && errno != EINTR) {
            made = {false, std::string("poll: ") + std::strerror(errno)};
            break;
        }
        drain_signal_pipe();
        if (tty < 0 || watched[1].revents == 0) continue;
        char bytes[256];
        const ssize_t n = (watched[1].revents & POLLIN) != 0 ? ::read(tty, bytes, sizeof bytes) : 0;
        if (n <= 0) {
            made = {false, "the terminal hung up"};
            break;
        }
        answer.append(bytes, static_cast<std::size_t>(n));
        if (answer.find('\n') == std::string::npos) continue;
        answer = trimmed(answer.substr(0, answer.find('\n')));
        made = answer == "y" || answer == "yes" ? decision{true, "answered " + answer}
                                                : decision{false, "answered `" + answer + "`"};
        break;
    }
    if (tty >= 0) ::close(tty);
    return made;
}

int confirm_pending(const std::string& restore_point, std::FILE* messages) {
    const std::string lock = lock_path_of(restore_point);
    const int fd = ::open(lock.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 || ::flock(fd, LOCK_SH | LOCK_NB) == 0) {
        std::fprintf(messages, "zlapply: no apply is waiting for confirmation (%s)\n",
                     restore_point.c_str());
        if (fd >= 0) ::close(fd);
        return 1;
    }
    // An apply still checking or applying comes to its question soon.
    lock_note before = read_lock_note(fd);
    const clock::time_point asked_by = clock::now() + kEndWithin;
    while (before.stage == "applying" && clock::now() < asked_by &&
           ::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        before = read_lock_note(fd);
    }
    if (before.stage != "waiting" || before.pid <= 0) {
        std::fprintf(messages,
                     "zlapply: the apply of process %ld is not waiting for confirmation\n",
                     static_cast<long>(before.pid));
        ::close(fd);
        return 1;
    }
    const std::string file = confirm_path_of(restore_point);
    const int made = ::open(file.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (made < 0) {
        std::fprintf(messages, "zlapply: cannot write %s: %s\n", file.c_str(),
                     std::strerror(errno));
        ::close(fd);
        return 1;
    }
    ::close(made);
    ::kill(before.pid, confirm_signal());
    // The apply ends once it has kept or reverted its change.
    const clock::time_point give_up = clock::now() + kEndWithin;
    while (::flock(fd, LOCK_SH | LOCK_NB) != 0 && clock::now() < give_up) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const lock_note after = read_lock_note(fd);
    ::close(fd);
    ::unlink(file.c_str());
    if (after.pid == before.pid && after.stage == "kept") {
        std::fprintf(messages, "zlapply: the apply of process %ld keeps its configuration\n",
                     static_cast<long>(before.pid));
        return 0;
    }
    std::fprintf(messages, "zlapply: too late: the apply of process %ld %s\n",
                 static_cast<long>(before.pid),
                 after.stage == "waiting" ? "did not answer" : "reverted its configuration");
    return 1;
}

}  // namespace apply
