// Takes turns on one state file: every reader and every read-modify-write of
// the state, in zlsim and in the stand-in inside each process a run starts,
// holds a lock on the file FILE.lock beside it for as long as it reads or
// changes the state, and no longer. Nobody holds it across an exec or while
// waiting for a command, so that no update is lost however many processes a
// run starts, and nested runs do not wait for each other.
#pragma once

#include <string>

#include "model/state_folder.h"

namespace model {

class state_lock {
public:
    enum class kind { shared, exclusive };

    /// How long a lock is waited for before the wait says who holds it, and
    /// before it is given up.
    struct patience {
        int report_after_ms = 2000;
        int give_up_after_ms = 60000;
    };

    /// Waits for the lock. `program` prefixes the message, on standard error,
    /// of a wait that goes on (naming the process that holds the lock). A
    /// shared lock is not taken when the folder cannot have a lock file (read
    /// only): nobody can change the state there. Throws state_file_error when
    /// the lock cannot be taken, or is still held when patience runs out.
    state_lock(const state_folder& folder, kind how, const char* program, patience wait);
    /// Lets the lock go.
    ~state_lock();
    state_lock(const state_lock&) = delete;
    state_lock& operator=(const state_lock&) = delete;

    /// The lock's patience from $ZLSIM_LOCK_TIMEOUT (seconds), else the default.
    static patience patience_from_environment();

private:
    owned_fd fd_;
};

/// "pid 123 (zlconf)" for each process that holds a lock on the file open on
/// `fd`, read from the kernel's table of locks; empty when none is known.
std::string lock_holders(int fd);

}  // namespace model
