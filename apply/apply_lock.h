// One zlapply at a time: a lock on a file beside the restore point, taken
// without waiting. The file says which process holds it and how far it is,
// so that a second zlapply can name the holder and `zlapply --confirm` can
// find the apply that waits for it and learn what became of it.
#pragma once

#include <sys/types.h>

#include <string>

namespace apply {

/// What a lock file says: the holder's process and its stage ("applying",
/// "waiting", "kept", "reverted").
struct lock_note {
    pid_t pid = 0;
    std::string stage;
};

class apply_lock {
public:
    /// Opens (creating it, and its folder with mode 0700) and tries to lock
    /// `path`. Throws std::system_error when the file cannot be opened.
    explicit apply_lock(const std::string& path);
    ~apply_lock();
    apply_lock(const apply_lock&) = delete;
    apply_lock& operator=(const apply_lock&) = delete;

    /// Whether this process holds the lock; when not, note() says who does.
    bool held() const { return held_; }
    lock_note note() const;

    /// Writes this process and its stage into the file.
    void set_stage(const std::string& stage) const;

private:
    int fd_ = -1;
    bool held_ = false;
};

/// The lock file of a restore point.
inline std::string lock_path_of(const std::string& restore_point) {
    return restore_point + ".lock";
}

/// What the lock file at `fd` says.
lock_note read_lock_note(int fd);

}  // namespace apply
