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
// default to the figures the state bits imply. Names are 1 to 64 bytes, none
// of them NUL, written as name_text.h describes. Segments and entries keep file order.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/link_state.h"

namespace model {

class state_file_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class state_folder;

// Throws state_file_error whose message starts with "line N: ".
driver_state parse_state(std::string_view text);

// The canonical text: links in device-name order, one blank line between them,
// `name` only where it differs from the device name, every other field written.
std::string format_state(const driver_state& state);

// A file that does not exist holds a driver with no links. Only reads, so a
// symbolic link may lead to it; anything but a regular file is refused, and
// so is a file over kLargestStateFile (state_folder.h). Throws
// state_file_error, its message starting with the path, for any failure.
driver_state load_state_file(const std::string& path);

// The state in `folder`, never read through a symbolic link; nothing when it
// does not exist. Throws state_file_error as load_state_file does.
std::optional<driver_state> load_state(const state_folder& folder);

// Replaces the file whole, so that a reader never sees half of it: written
// to a temporary file of a unique name beside it, synced, then renamed over
// it. Refuses a symbolic link or anything but a regular file in its place.
// Call it under the state's exclusive lock (state_lock.h): it removes the
// temporary files that a killed save left. Throws state_file_error on
// failure, and leaves no temporary file behind.
void save_state(const state_folder& folder, const driver_state& state);
void save_state_file(const std::string& path, const driver_state& state);

}  // namespace model
