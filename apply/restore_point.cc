#include "apply/restore_point.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <system_error>

#include "apply/check.h"
#include "driver/link_driver.h"
#include "model/link_names.h"
#include "model/link_state.h"
#include "model/model_device.h"
#include "model/state_folder.h"
#include "run_failure.h"
#include "save/driver_links.h"
#include "save/saved_config.h"
#include "zlconf_version.h"

namespace apply {

namespace {

std::system_error failed(const std::string& what) {
    return {errno, std::generic_category(), what};
}

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

restore_point save_driver(device& driver, const std::string& applied) {
    restore_point point;
    point.text = "^# Restore point written by zlapply (zlconf " + std::string(kZlconfVersion) +
                 ") before it applied " + applied +
                 ".\n^# Each link is deleted, then built again as the driver held it; applying "
                 "this file\n^# with zlconf restores these links.\n";
    std::string absent;
    for (const std::string& name : save::all_link_names()) {
        save::driver_link read;
        try {
            read = save::read_driver_link(driver, name);
        } catch (const run_failure& failure) {
            throw std::runtime_error(name + ": " + failure.message());
        }
        if (!read.opened) {
            if (no_such_link(read.open_error)) continue;
            errno = read.open_error;
            throw failed("open /dev/" + name);
        }
        point.links[name] = read.link;
        if (read.link) {
            point.text += "\n" + save::saved_link(name, *read.link, point.warnings);
        } else {
            absent += save::absent_link(name);
        }
    }
    if (!absent.empty()) {
        point.text += "\n^# Links the driver did not have: restoring removes any made since.\n";
        point.text += absent;
    }
    return point;
}

void write_restore_point(const std::string& path, std::string_view text) {
    const std::string folder = folder_of(path);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) throw failed("mkdir " + folder);
    const std::string temporary = path + ".tmp";
    // A file left by a write that was cut short; the lock keeps out any other.
    if (::unlink(temporary.c_str()) != 0 && errno != ENOENT) throw failed("unlink " + temporary);
    {
        const model::owned_fd out(
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (out.get() < 0) throw failed("open " + temporary);
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(out.get(), text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) throw failed("write " + temporary);
            done += static_cast<std::size_t>(n);
        }
        if (::fsync(out.get()) != 0) throw failed("fsync " + temporary);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) throw failed("rename " + temporary);
    // So that the rename itself survives a crash.
    const model::owned_fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0 || ::fsync(dir.get()) != 0) throw failed("fsync " + folder);
}

saved_links links_built_by(std::string_view text, const std::string& label) {
    model::model_device empty;
    const check_result built = check_input(text, label, empty, false, stderr);
    if (built.status != 0) throw std::runtime_error(label + " would not be accepted whole");
    saved_links links;
    for (const auto& [device, state] : built.predicted) {
        links[device] = state ? std::optional(model::snapshot_as_read(*state)) : std::nullopt;
    }
    return links;
}

}  // namespace apply
