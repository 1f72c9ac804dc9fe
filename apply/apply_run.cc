#include "apply/apply_run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "apply/apply_lock.h"
#include "apply/check.h"
#include "apply/input_bytes.h"
#include "apply/link_compare.h"
#include "apply/restore_point.h"
#include "apply/rollback.h"
#include "apply/signals.h"
#include "apply/watching_device.h"
#include "companion/command_line.h"
#include "config/byte_source.h"
#include "config/lexer.h"
#include "model/link_state.h"
#include "run_failure.h"
#include "save/driver_links.h"
#include "session.h"
#include "text/formatting.h"

namespace apply {

namespace {

constexpr const char* kUsage =
    "usage: zlapply [--confirm SECONDS] [--strict] [--restore-point FILE] [--]\n"
    "               [<config_file> | - ]\n"
    "       zlapply --confirm [--restore-point FILE]\n"
    "       zlapply --rollback [--restore-point FILE]\n"
    "       zlapply --help | --version\n"
    "Applies the whole file or nothing: checks it first as zlplan does, saves the\n"
    "driver's links as zlsave does, applies the file as zlconf does and rolls back\n"
    "on the first refused request. With --confirm SECONDS the change is reverted\n"
    "unless it is confirmed in time, on the terminal or by `zlapply --confirm`.\n"
    "--rollback restores a restore point that a killed apply left.\n"
    "Exit status: 0 applied, 1 nothing sent, 2 wrong arguments or input not\n"
    "readable, 4 rolled back, 5 rollback incomplete.\n";

constexpr companion::program kZlapply{"zlapply", kUsage};

std::string words(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) out += (out.empty() ? "" : " ") + n;
    return out.empty() ? "none" : out;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

class dropped_echo final : public echo_observer {
public:
    void echoed(char, std::uint64_t) override {}
};

// Carries the input out through zlconf's own session behind the watch. Why
// it stopped, or empty when the whole input went through.
std::string carry_out(const std::string& input, watching_device& watch) {
    text_source bytes(input);
    dropped_echo echo;
    try {
        session zlconf(bytes, echo, watch);
        if (zlconf.parse(stderr) != 0) return "a syntax error that the check did not see";
    } catch (const watch_stop&) {
        watch.close_all();
        return watch.stopped();
    } catch (const run_failure& failure) {
        watch.close_all();
        return without_newline(failure.message());
    } catch (const std::bad_alloc&) {
        watch.close_all();
        return std::strerror(ENOMEM);
    }
    return {};
}

std::optional<link_snapshot> predicted_for(const check_result& check, const std::string& name) {
    const auto predicted = check.predicted.find(name);
    if (predicted == check.predicted.end() || !predicted->second) return std::nullopt;
    return model::snapshot_as_read(*predicted->second);
}

// The links that the file leaves otherwise than the restore point holds them.
std::vector<std::string> changed_links(const check_result& check, const saved_links& saved) {
    std::vector<std::string> changed;
    for (const std::string& name : check.links) {
        const auto held = saved.find(name);
        if (!check.predicted.contains(name) || held == saved.end()) continue;
        if (!differences(predicted_for(check, name), held->second, compared::set_by_statements)
                 .empty()) {
            changed.push_back(name);
        }
    }
    return changed;
}

// Each link the file names, read back, against what the check predicted.
std::string verify(const check_result& check, device& driver) {
    for (const std::string& name : check.links) {
        if (!check.predicted.contains(name)) continue;
        const std::optional<link_snapshot> wanted = predicted_for(check, name);
        try {
            const save::driver_link read = save::read_driver_link(driver, name);
            if (!read.opened) return name + ": cannot open it again to verify";
            const std::vector<std::string> left =
                differences(read.link, wanted, compared::set_by_statements);
            if (!left.empty()) return name + " is not as the check predicted: " + joined(left);
        } catch (const run_failure& failure) {
            return name + ": " + without_newline(failure.message());
        }
    }
    return {};
}

void remove_restore_point(const std::string& path, std::FILE* messages) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        std::fprintf(messages, "zlapply: cannot remove %s: %s\n", path.c_str(),
                     std::strerror(errno));
    }
}

// The rollback and how the run ends after it.
int roll_back_and_end(const std::vector<std::string>& links, const saved_links& saved,
                      const std::string& label, const std::string& why,
                      const std::string& restore_point, apply_system& sys) {
    std::fprintf(sys.messages, "zlapply: rolling back %s\n", words(links).c_str());
    const rollback_result r = roll_back(sys.driver, links, saved, sys.messages);
    if (r.complete) {
        remove_restore_point(restore_point, sys.messages);
        std::fprintf(sys.messages, "zlapply: rolled back: the driver is as it was\n");
        sys.audit.line(audit_level::warning,
                       "rolled back " + label + " (" + why + "); restored: " + words(r.restored));
        return kRolledBack;
    }
    std::fprintf(sys.messages, "zlapply: rollback incomplete; restore by hand: zlconf %s\n",
                 restore_point.c_str());
    sys.audit.line(audit_level::error, "rollback of " + label + " incomplete (" + why +
                                           "); differs: " + words(r.differing) +
                                           "; restore by hand: zlconf " + restore_point);
    return kRollbackIncomplete;
}

// The part of an apply that runs under the lock.
int apply_locked(const apply_request& rq, apply_system& sys, const apply_lock& lock) {
    std::FILE* const msg = sys.messages;
    if (exists(rq.restore_point)) {
        std::fprintf(msg,
                     "zlapply: %s is left by an apply that did not finish; `zlapply --rollback` "
                     "restores it. Nothing sent\n",
                     rq.restore_point.c_str());
        return kNothingSent;
    }
    ::unlink(confirm_path_of(rq.restore_point).c_str());  // a confirmation meant for another apply

    const check_result check = check_input(rq.input, rq.label, sys.driver, rq.strict, msg);
    if (check.status != 0) {
        std::fprintf(msg, "zlapply: %s did not pass the check; nothing sent\n", rq.label.c_str());
        return kNothingSent;
    }

    restore_point point;
    try {
        point = save_driver(sys.driver, rq.label);
    } catch (const std::exception& error) {
        std::fprintf(msg, "zlapply: cannot save the driver's links: %s; nothing sent\n",
                     without_newline(error.what()).c_str());
        return kNothingSent;
    }
    for (const std::string& w : point.warnings) {
        std::fprintf(msg, "zlapply: restore point: %s\n", w.c_str());
    }
    if (!point.warnings.empty()) {
        std::fprintf(msg, "zlapply: the restore point cannot bring back every link exactly%s\n",
                     rq.strict ? "; with --strict, nothing sent" : "");
        if (rq.strict) return kNothingSent;
    }
    try {
        write_restore_point(rq.restore_point, point.text);
    } catch (const std::system_error& error) {
        std::fprintf(msg, "zlapply: cannot write the restore point: %s; nothing sent\n",
                     error.what());
        return kNothingSent;
    }

    watching_device watch(sys.driver, sys.interrupted);
    watch.expect_reads(check.reads);
    std::string failure = carry_out(rq.input, watch);
    if (failure.empty()) failure = verify(check, sys.driver);
    if (!failure.empty() && watch.touched().empty()) {
        remove_restore_point(rq.restore_point, msg);
        std::fprintf(msg, "zlapply: %s; nothing sent\n", failure.c_str());
        return kNothingSent;
    }
    if (!failure.empty()) {
        std::fprintf(msg, "zlapply: %s\n", failure.c_str());
        return roll_back_and_end(watch.touched(), point.links, rq.label, failure, rq.restore_point,
                                 sys);
    }

    const std::string changed = "changed: " + words(changed_links(check, point.links));
    if (rq.confirm_seconds) {
        lock.set_stage("waiting");
        sys.audit.line(audit_level::notice, "applied " + rq.label + ", to be confirmed within " +
                                                std::to_string(*rq.confirm_seconds) + " s; " +
                                                changed);
        const decision d = sys.confirm.wait(*rq.confirm_seconds);
        if (!d.keep) {
            lock.set_stage("reverting");
            std::fprintf(msg, "zlapply: not kept (%s)\n", d.why.c_str());
            const int status = roll_back_and_end(watch.touched(), point.links, rq.label,
                                                 "not kept: " + d.why, rq.restore_point, sys);
            lock.set_stage("reverted");
            return status;
        }
        remove_restore_point(rq.restore_point, msg);
        lock.set_stage("kept");
        std::fprintf(msg, "zlapply: kept (%s)\n", d.why.c_str());
        sys.audit.line(audit_level::notice, "kept " + rq.label + " (" + d.why + "); " + changed);
        return kApplied;
    }
    remove_restore_point(rq.restore_point, msg);
    std::fprintf(msg, "zlapply: applied %s; %s\n", rq.label.c_str(), changed.c_str());
    sys.audit.line(audit_level::notice, "applied " + rq.label + "; " + changed);
    return kApplied;
}

// The lock, or the status when it cannot be had.
std::optional<int> refused_lock(const apply_lock& lock, const std::string& restore_point,
                                std::FILE* msg) {
    if (lock.held()) return std::nullopt;
    const lock_note holder = lock.note();
    std::fprintf(msg, "zlapply: another zlapply (process %ld) holds %s; nothing sent\n",
                 static_cast<long>(holder.pid), lock_path_of(restore_point).c_str());
    return kNothingSent;
}

}  // namespace

int apply_input(const apply_request& request, apply_system& sys) {
    try {
        const apply_lock lock(lock_path_of(request.restore_point));
        if (const auto refused = refused_lock(lock, request.restore_point, sys.messages)) {
            return *refused;
        }
        return apply_locked(request, sys, lock);
    } catch (const std::system_error& error) {
        std::fprintf(sys.messages, "zlapply: %s; nothing sent\n", error.what());
        return kNothingSent;
    } catch (const std::bad_alloc&) {
        std::fprintf(sys.messages, "zlapply: %s\n", std::strerror(ENOMEM));
        return kNothingSent;
    }
}

int roll_back_restore_point(const std::string& restore_point, apply_system& sys) {
    try {
        const apply_lock lock(lock_path_of(restore_point));
        if (const auto refused = refused_lock(lock, restore_point, sys.messages)) return *refused;
        const int fd = ::open(restore_point.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            std::fprintf(sys.messages, "zlapply: no restore point at %s: %s\n",
                         restore_point.c_str(), std::strerror(errno));
            return kNothingSent;
        }
        const input_bytes text = read_whole(fd);
        ::close(fd);
        if (text.error != 0 || text.too_large) {
            std::fprintf(sys.messages, "zlapply: cannot read %s: %s\n", restore_point.c_str(),
                         std::strerror(text.too_large ? EFBIG : text.error));
            return kNothingSent;
        }
        const saved_links saved = links_built_by(text.bytes, restore_point);
        std::vector<std::string> links;
        for (const auto& [name, link] : saved) links.push_back(name);
        lock.set_stage("reverting");
        return roll_back_and_end(links, saved, restore_point, "zlapply --rollback", restore_point,
                                 sys);
    } catch (const std::system_error& error) {
        std::fprintf(sys.messages, "zlapply: %s\n", error.what());
        return kNothingSent;
    } catch (const std::runtime_error& error) {
        std::fprintf(sys.messages, "zlapply: %s; nothing sent\n", error.what());
        return kNothingSent;
    } catch (const std::bad_alloc&) {
        std::fprintf(sys.messages, "zlapply: %s\n", std::strerror(ENOMEM));
        return kNothingSent;
    }
}

namespace {

// $ZLAPPLY_RESTORE_POINT, for rehearsals under zlsim by a user who cannot
// write /run; else the default.
std::string default_restore_point() {
    const char* chosen = std::getenv("ZLAPPLY_RESTORE_POINT");
    return chosen != nullptr && *chosen != '\0' ? chosen : kDefaultRestorePoint;
}

struct command_line {
    enum class verb { apply, confirm, rollback } what = verb::apply;
    std::optional<int> confirm_seconds;
    bool strict = false;
    std::string restore_point = default_restore_point();
    std::string path = "/etc/zlumi.conf";
};

std::optional<int> seconds_of(const std::string& text) {
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const int seconds = std::stoi(text);
    return seconds > 0 ? std::optional(seconds) : std::nullopt;
}

// `--confirm` takes SECONDS when a number follows it; alone it confirms the
// pending apply.
command_line read_command_line(companion::arguments& args) {
    using companion::wrong_arguments;
    command_line c;
    bool have_path = false;
    bool bare_confirm = false;
    while (args.more()) {
        const companion::argument arg = args.take();
        if (!arg.option) {
            if (have_path) throw wrong_arguments("more than one configuration file");
            c.path = arg.text;
            have_path = true;
        } else if (arg.text == "--confirm") {
            const std::string* next = args.peek();
            c.confirm_seconds = next != nullptr ? seconds_of(*next) : std::nullopt;
            if (c.confirm_seconds) {
                args.take();
            } else {
                bare_confirm = true;
            }
        } else if (arg.text == "--strict") {
            c.strict = true;
        } else if (arg.text == "--rollback") {
            c.what = command_line::verb::rollback;
        } else if (companion::arguments::names(arg, "--restore-point")) {
            c.restore_point = args.value_of(arg, "--restore-point", "a file name");
        } else {
            companion::unknown_option(arg);
        }
    }
    const bool applying = have_path || c.confirm_seconds || c.strict;
    if (bare_confirm) {
        if (c.what == command_line::verb::rollback || applying) {
            throw wrong_arguments("--confirm without SECONDS takes no file and no other option");
        }
        c.what = command_line::verb::confirm;
    } else if (c.what == command_line::verb::rollback && applying) {
        throw wrong_arguments("--rollback takes no file and no other option");
    }
    return c;
}

int apply_file(const command_line& c, apply_system& sys) {
    const bool from_standard_input = c.path == "-";
    const int fd =
        from_standard_input ? STDIN_FILENO : ::open(c.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "zlapply: can't open %s: %s\n", c.path.c_str(), std::strerror(errno));
        return kWrongArguments;
    }
    input_bytes in = read_whole(fd);
    if (!from_standard_input) ::close(fd);
    const std::string label = from_standard_input ? "<stdin>" : c.path;
    if (in.error != 0) {
        std::fprintf(stderr, "zlapply: can't read %s: %s\n", label.c_str(),
                     std::strerror(in.error));
        return kWrongArguments;
    }
    if (in.too_large) {
        std::fprintf(stderr,
                     "zlapply: %s is larger than %zu MiB, more than zlapply holds; nothing sent\n",
                     label.c_str(), kInputLimit >> 20);
        return kNothingSent;
    }
    apply_request request{label, std::move(in.bytes), c.confirm_seconds, c.strict, c.restore_point};
    return apply_input(request, sys);
}

}  // namespace

int zlapply_main(int argc, char** argv) {
    try {
        command_line c;
        const auto read = [&c](companion::arguments& args) { c = read_command_line(args); };
        if (const auto ended = companion::read_command_line(kZlapply, argc, argv, read)) {
            return *ended;
        }
        if (c.what == command_line::verb::confirm) {
            return confirm_pending(c.restore_point, stderr);
        }
        catch_signals();
        terminal_confirmation asked(confirm_path_of(c.restore_point), stderr);
        apply_system sys{system_device(), system_audit(), asked, termination_signal, stderr};
        if (c.what == command_line::verb::rollback) {
            return roll_back_restore_point(c.restore_point, sys);
        }
        return apply_file(c, sys);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "zlapply: %s\n", std::strerror(ENOMEM));
        return kNothingSent;
    }
}

}  // namespace apply
