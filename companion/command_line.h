// The command-line conventions every companion keeps. --help and -h print the
// usage on standard output, --version the program's name and version, both
// with status 0. Wrong arguments print a line saying what is wrong, then the
// usage, on standard error, with status 2. Words are read left to right: the
// first standard option or wrong word settles the run, and "--" ends the
// options, so that every word after it is an operand.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace companion {

/// The status of a run whose arguments are wrong, in every companion.
inline constexpr int kWrongArguments = 2;

/// A companion as its command line shows it.
struct program {
    const char* name;   // "zlplan", as its messages begin
    const char* usage;  // the whole text --help prints
};

/// Thrown while a command line is read; what() says what is wrong.
class wrong_arguments : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// One word of a command line, and whether it stands where an option may.
struct argument {
    std::string text;
    bool option = false;  // begins with '-', is not "-" alone, and comes before any "--"
};

/// The words after the program's name, taken one at a time.
class arguments {
public:
    arguments(int argc, char** argv);

    /// Whether a word is left to take; a "--" that ends the options is taken
    /// here, and is no word of its own.
    bool more();

    /// The next word, of which there must be one. Throws the standard
    /// options' answer for --help, -h and --version.
    argument take();

    /// The value of `option`, whose word `taken` is: the text after '=' in
    /// "--option=value", else the next word. Throws wrong_arguments
    /// "<option> needs <what>" when there is none, or it is empty.
    std::string value_of(const argument& taken, std::string_view option, std::string_view what);

    /// Whether `taken` is `option` itself or "--option=value".
    static bool names(const argument& taken, std::string_view option);

    /// The next word as it is, if any, for an option whose value may be left out.
    const std::string* peek() const { return next_ < words_.size() ? &words_[next_] : nullptr; }

    /// Every word not yet taken, as they are.
    std::vector<std::string> rest();

private:
    std::vector<std::string> words_;
    std::size_t next_ = 0;
    bool options_done_ = false;
};

/// Throws wrong_arguments "unknown option <word>".
[[noreturn]] void unknown_option(const argument& word);

/// Reads the command line with `read`, a companion's own parsing, and
/// answers what it met: the usage or the version (status 0), or wrong
/// arguments (their message and the usage on standard error, status 2). The
/// status of a run that ends there; nothing when the run goes on.
std::optional<int> read_command_line(const program& p, int argc, char** argv,
                                     const std::function<void(arguments&)>& read);

}  // namespace companion
