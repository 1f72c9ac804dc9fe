#include "apply/signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

namespace apply {

namespace {

volatile std::sig_atomic_t first_termination = 0;
int pipe_ends[2] = {-1, -1};

extern "C" void note_signal(int number) {
    if (number != SIGUSR1 && first_termination == 0) first_termination = number;
    const int saved = errno;
    const char byte = 1;
    if (::write(pipe_ends[1], &byte, 1) < 0) {
        // Full: the waiting loop is woken already.
    }
    errno = saved;
}

}  // namespace

void catch_signals() {
    if (pipe_ends[0] >= 0) return;
    if (::pipe2(pipe_ends, O_CLOEXEC | O_NONBLOCK) != 0) pipe_ends[0] = pipe_ends[1] = -1;
    struct sigaction action {};
    action.sa_handler = note_signal;
    sigemptyset(&action.sa_mask);
    for (const int number : {SIGHUP, SIGINT, SIGTERM, SIGUSR1}) {
        ::sigaction(number, &action, nullptr);
    }
    std::signal(SIGPIPE, SIG_IGN);
}

const char* termination_signal() {
    switch (first_termination) {
        case 0: return nullptr;
        case SIGHUP: return "SIGHUP";
        case SIGINT: return "SIGINT";
        default: return "SIGTERM";
    }
}

int signal_pipe() {
    return pipe_ends[0];
}

void drain_signal_pipe() {
    char bytes[64];
    while (pipe_ends[0] >= 0 && ::read(pipe_ends[0], bytes, sizeof bytes) > 0) {
    }
}

int confirm_signal() {
    return SIGUSR1;
}

}  // namespace apply
