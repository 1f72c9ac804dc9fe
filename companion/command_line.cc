#include "companion/command_line.h"

#include <cstdio>

#include "zlconf_version.h"

namespace companion {

namespace {

// Thrown by arguments::take for a standard option, and answered by
// read_command_line: not an error, so no std::exception.
struct standard_option {
    bool help;  // else --version
};

}  // namespace

arguments::arguments(int argc, char** argv) : words_(argv + (argc > 0 ? 1 : 0), argv + argc) {}

bool arguments::more() {
    if (!options_done_ && next_ < words_.size() && words_[next_] == "--") {
        options_done_ = true;
        ++next_;
    }
    return next_ < words_.size();
}

argument arguments::take() {
    argument word{words_[next_++], false};
    word.option = !options_done_ && word.text.size() > 1 && word.text[0] == '-';
    if (word.option && (word.text == "--help" || word.text == "-h")) throw standard_option{true};
    if (word.option && word.text == "--version") throw standard_option{false};
    return word;
}

bool arguments::names(const argument& taken, std::string_view option) {
    return taken.option && (taken.text == option ||
                            (taken.text.starts_with(option) && taken.text.size() > option.size() &&
                             taken.text[option.size()] == '='));
}

std::string arguments::value_of(const argument& taken, std::string_view option,
                                std::string_view what) {
    std::string value;
    if (taken.text.size() > option.size()) {
        value = taken.text.substr(option.size() + 1);
    } else if (next_ < words_.size()) {
        value = words_[next_++];
    }
    if (value.empty()) throw wrong_arguments(std::string(option) + " needs " + std::string(what));
    return value;
}

std::vector<std::string> arguments::rest() {
    std::vector<std::string> words(words_.begin() + static_cast<std::ptrdiff_t>(next_),
                                   words_.end());
    next_ = words_.size();
    return words;
}

void unknown_option(const argument& word) {
    throw wrong_arguments("unknown option " + word.text);
}

std::optional<int> read_command_line(const program& p, int argc, char** argv,
                                     const std::function<void(arguments&)>& read) {
    arguments words(argc, argv);
    try {
        read(words);
        return std::nullopt;
    } catch (const standard_option& asked) {
        if (asked.help) {
            std::fputs(p.usage, stdout);
        } else {
            std::printf("%s (zlconf) %s\n", p.name, kZlconfVersion);
        }
        return 0;
    } catch (const wrong_arguments& wrong) {
        std::fprintf(stderr, "%s: %s\n%s", p.name, wrong.what(), p.usage);
        return kWrongArguments;
    }
}

}  // namespace companion
