// Serialises zlsim's runs, resets, shows and logs on one state file: each
// holds a lock on a file beside the state for as long as it reads or changes
// it, so that no run's update is lost and no reader sees a state in between.
#pragma once

#include <string>

namespace sim {

class state_lock {
public:
    enum class kind { shared, exclusive };

    /// Waits for the lock of the state file at `state_path` (through a symbolic
    /// link, the lock of its target). A lock that this process inherited from
    /// a `zlsim run` of the same state file is held already: taken again, it
    /// would wait for itself. Throws std::runtime_error when the lock file
    /// cannot be opened or locked.
    state_lock(const std::string& state_path, kind how);
    ~state_lock();
    state_lock(const state_lock&) = delete;
    state_lock& operator=(const state_lock&) = delete;

    /// Hands the lock on to the command that replaces this process by exec:
    /// the command holds it until it exits, and so do the processes it starts.
    void keep_across_exec() const;

private:
    int fd_ = -1;
};

}  // namespace sim
