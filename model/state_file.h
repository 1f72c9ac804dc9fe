// The driver's state as a small text file, so that tests can seed a driver
// and a later run can see what an earlier one committed:
//
//   # comment lines and blank lines are ignored; so is text after '#'
//   link zl0
//     name trunk0          # record name; the device name when absent
//     mode 0x00000120
//     segment ce0 speed 100 duplex 2 state 0x00010111
//     tl 02:00:00:0a:0b:0c ce0
//
// Keywords open each line; indentation is free. `mode` and `state` default to
// 0 and take hexadecimal (0x...) or decimal numbers; `speed` and `duplex`
// default to the figures the state bits imply. Names are 1 to 64 bytes,
// written as name_text.h describes. Segments and entries keep file order.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "model/link_state.h"

namespace model {

class state_file_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws state_file_error whose message starts with "line N: ".
driver_state parse_state(std::string_view text);

// The canonical text: links in device-name order, one blank line between them,
// `name` only where it differs from the device name, every other field written.
std::string format_state(const driver_state& state);

// A file that does not exist holds a driver with no links. Throws
// state_file_error, its message starting with the path, for any other failure.
driver_state load_state_file(const std::string& path);

// The file a state path stands for: the final target when it is a symbolic
// link, the path itself otherwise.
std::string resolved_state_path(const std::string& path);

// Replaces the file whole, so that a reader never sees half of it: written
// to a temporary file of a unique name beside it, synced, then renamed over
// it. A symbolic link is written through to its target. Throws
// state_file_error on failure, and leaves no temporary file behind.
void save_state_file(const std::string& path, const driver_state& state);

}  // namespace model
