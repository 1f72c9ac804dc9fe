// What a plan holds: per link block, the state read, the DUMPINFO reports
// where they stand, the requests zlconf would send and the state afterwards;
// and how the run would end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plan/link_snapshot.h"
#include "plan/planning_device.h"

namespace plan {

struct source_point {
    int line = 1;
    int column = 1;
};

struct dumpinfo_report {
    source_point at;
    link_snapshot link;
};

struct link_plan {
    std::string device;      // the link name as the file writes it
    source_point at;         // of the link name
    bool read_done = false;  // the link was opened and read
    bool predicted = false;  // read from what earlier blocks of this file commit
    bool found = false;      // the driver has the link (false: a new link)
    std::vector<std::uint32_t> reads;
    link_snapshot read;
    std::vector<dumpinfo_report> dumpinfos;
    bool committed = false;  // the block reached its end
    source_point end;
    std::vector<recorded_request> requests;
    std::optional<standin::link_state> after;  // empty: the driver no longer has the link
};

/// Characters that form no token; zlconf copies them to standard output.
struct ignored_text {
    int line = 1;
    int column = 1;
    std::string text;
};

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
    std::string source_line;  // the line of the error, without its newline
    std::string zlconf_says;  // zlconf's own error line
};

struct whole_plan {
    std::string input;  // the file as the messages name it
    std::vector<link_plan> links;
    std::vector<ignored_text> ignored;
    enum outcome outcome = outcome::accepted;
    std::optional<syntax_problem> syntax;
    std::optional<read_failure> failure;
    std::string zlconf_message;        // what zlconf prints when the run stops early
    std::optional<source_point> stop;  // where the run stops early

    int status() const { return outcome == outcome::accepted ? 0 : 1; }
};

}  // namespace plan
