#include "apply/rollback.h"

#include <cstring>
#include <new>

#include "apply/link_compare.h"
#include "apply/undo_statements.h"
#include "apply/watching_device.h"
#include "config/byte_source.h"
#include "config/lexer.h"
#include "run_failure.h"
#include "save/driver_links.h"
#include "session.h"

namespace apply {

namespace {

class dropped_echo final : public echo_observer {
public:
    void echoed(char, std::uint64_t) override {}
};

// Reads the link as zlconf would; the reason it could not, else empty.
std::string read_link(device& driver, const std::string& name, std::optional<link_snapshot>& into) {
    try {
        const save::driver_link read = save::read_driver_link(driver, name);
        if (!read.opened) return "cannot open /dev/" + name + ": " + std::strerror(read.open_error);
        into = read.link;
        return {};
    } catch (const run_failure& failure) {
        std::string message = failure.message();
        while (!message.empty() && message.back() == '\n') message.pop_back();
        return message;
    }
}

// Runs the statements; why they stopped, or empty when they were all sent.
std::string run_statements(device& driver, const std::string& statements) {
    watching_device watch(driver, nullptr);
    text_source bytes(statements);
    dropped_echo echo;
    try {
        session zlconf(bytes, echo, watch);
        if (zlconf.parse(stderr) != 0) return "the undoing statements were not accepted";
    } catch (const watch_stop&) {
        return watch.stopped();
    } catch (const run_failure& failure) {
        std::string message = failure.message();
        while (!message.empty() && message.back() == '\n') message.pop_back();
        return message;
    } catch (const std::bad_alloc&) {
        return "out of memory";
    }
    return {};
}

std::string undo_phrase(const link_undo& undo, const std::optional<link_snapshot>& saved) {
    if (undo.statements.empty()) return "as it was";
    if (!saved) return "deleted, as the apply created it";
    if (!undo.rebuilt_because.empty()) {
        return "deleted and built again from the restore point: " + undo.rebuilt_because;
    }
    return "set back";
}

}  // namespace

rollback_result roll_back(device& driver, const std::vector<std::string>& links,
                          const saved_links& saved, std::FILE* messages) {
    rollback_result result;
    for (const std::string& name : links) {
        const auto found = saved.find(name);
        const std::optional<link_snapshot> wanted =
            found != saved.end() ? found->second : std::nullopt;
        std::optional<link_snapshot> now;
        std::string problem = read_link(driver, name, now);
        link_undo undo;
        if (problem.empty()) {
            undo = undo_of(name, now, wanted);
            if (!undo.statements.empty()) problem = run_statements(driver, undo.statements);
        }
        std::optional<link_snapshot> after;
        const std::string unread = read_link(driver, name, after);
        const std::vector<std::string> left = unread.empty()
                                                  ? differences(after, wanted, compared::everything)
                                                  : std::vector<std::string>{unread};
        if (left.empty()) {
            result.restored.push_back(name);
            std::fprintf(messages, "zlapply: %s: %s\n", name.c_str(),
                         undo_phrase(undo, wanted).c_str());
            continue;
        }
        result.complete = false;
        result.differing.push_back(name);
        if (!problem.empty()) {
            // A refusal names its link already.
            const bool named = problem.starts_with(name + ": ");
            std::fprintf(messages, "zlapply: %s%s%s\n", named ? "" : name.c_str(),
                         named ? "" : ": ", problem.c_str());
        }
        std::fprintf(messages, "zlapply: %s: not restored: %s\n", name.c_str(),
                     joined(left).c_str());
    }
    return result;
}

}  // namespace apply
