// What a plan holds: per link block, the state read, the DUMPINFO reports
// where they stand, the requests zlconf would send and the state afterwards;
// and how the run would end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/link_state.h"
#include "plan/planning_device.h"

namespace plan {

struct source_point {
    std::int64_t line = 1;
    std::int64_t column = 1;
};

struct dumpinfo_report {
    source_point at;
    link_snapshot link;
};

struct link_plan {
    std::string device;       // the link name as the file writes it
    source_point at;          // of the link name
    bool read_done = false;   // the link was opened and read
    bool predicted = false;   // read from what earlier blocks of this file commit
    bool found = false;       // the driver has the link (false: a new link)
    int not_found_error = 0;  // what ZLIOGLINK failed with, when it did
    read_counts reads;
    /// The description as read: always for a link read from the driver,
    /// which happens once per link; for a predicted one with every_request.
    std::optional<link_snapshot> read;
    std::size_t dumpinfos = 0;  // reports so far; each goes to the output as it comes
    bool committed = false;     // the block reached its end
    source_point end;
    std::vector<recorded_request> requests;  // see planning_device
    std::size_t sent = 0;                    // every request of the block's end
    std::size_t unchanged = 0;               // ZLIOSSEGs that leave a segment as it is
    bool exists_after = false;               // false: the driver no longer has the link
    std::size_t segments_after = 0;
    std::size_t entries_after = 0;
    std::optional<model::link_state> after;  // the whole link, with every_request
    /// What the block changes in the driver, one phrase each: "mode dynamic →
    /// roundrobin", "+ ce2 (trunk, 100bt full)"; empty for no change.
    std::vector<std::string> changes;
    /// For a block that changes nothing in the end, what it still sends on
    /// the way: "creates and deletes zl1", "deletes and re-adds ce1".
    std::vector<std::string> on_the_way;
};

/// Something zlconf would take without a word, that is likely not what was meant.
struct plan_warning {
    source_point at;
    std::string text;
    bool note = false;  // worth knowing but no likely mistake: --strict does not count it
};

/// Characters that form no token; zlconf copies them to standard output.
struct ignored_text {
    std::int64_t line = 1;
    std::int64_t column = 1;
    std::string text;  // of a longer run, a piece of kLongestIgnored bytes
};

/// A run of characters that form no token is handed on in pieces of at most
/// this many bytes, each with where it starts.
inline constexpr std::size_t kLongestIgnored = 4096;

enum class outcome {
    accepted,      // the whole file: status 0
    syntax_error,  // status 1; blocks committed before it stay committed
    read_failure,  // a link could not be opened or read: status 1
    too_long,      // one token scan past the lexer's limit: status 1
};

struct syntax_problem {
    source_point at;
    std::string message;      // "unexpected 'standby' in a link block; expected one of: ..."
    std::string hint;         // may be empty
    std::string source_line;  // the line of the error, without its newline; its start may be cut
    int caret_column = 1;     // where the token starts in source_line
    std::string zlconf_says;  // zlconf's own error line
};

struct whole_plan {
    std::string input;           // the file as the messages name it
    bool every_request = false;  // every request and the whole state of each link
    /// For a caller that reads the driver back against the plan: the whole
    /// state of each link is kept, and what a block changes is not put in
    /// words (link_plan::changes stays empty, `changing` 0).
    bool states_only = false;
    /// The link block in progress, from its link name to its end; each block
    /// goes to the plan's output when it ends, or when the run stops in it.
    std::optional<link_plan> block;
    std::size_t committed = 0;  // link blocks that reached their end
    std::size_t requests = 0;   // the requests of their ends
    std::size_t changing = 0;   // committed blocks that change the driver
    std::size_t warnings = 0;
    std::string driver;  // where links are read from, when not the driver itself
    enum outcome outcome = outcome::accepted;
    std::optional<syntax_problem> syntax;
    std::optional<read_failure> failure;
    std::string zlconf_message;        // what zlconf prints when the run stops early
    std::optional<source_point> stop;  // where the run stops early

    bool strict = false;     // a warning fails the run
    bool exit_code = false;  // a change is told by status 3

    /// 0, or 3 under exit_code when some link would change; 1 when zlconf
    /// would stop early, or under strict when there is a warning.
    int status() const {
        if (outcome != outcome::accepted || (strict && warnings > 0)) return 1;
        return exit_code && changing > 0 ? 3 : 0;
    }
};

}  // namespace plan
