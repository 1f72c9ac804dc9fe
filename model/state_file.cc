#include "model/state_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "model/link_names.h"
#include "model/name_text.h"
#include "model/number_text.h"
#include "text/quoted.h"

namespace model {

namespace {

std::vector<std::string_view> words_of(std::string_view line) {
    line = line.substr(0, line.find('#'));
    std::vector<std::string_view> words;
    constexpr std::string_view kBlanks = " \t\r";
    for (std::size_t start = line.find_first_not_of(kBlanks); start != std::string_view::npos;
         start = line.find_first_not_of(kBlanks, start)) {
        const std::size_t end = line.find_first_of(kBlanks, start);
        words.push_back(line.substr(start, end - start));
        start = end == std::string_view::npos ? line.size() : end;
    }
    return words;
}

template <typename Number>
std::optional<Number> number_from(std::string_view word) {
    int base = 10;
    if (word.starts_with("0x") || word.starts_with("0X")) {
        word.remove_prefix(2);
        base = 16;
    }
    Number value{};
    const auto [end, failure] =
        std::from_chars(word.data(), word.data() + word.size(), value, base);
    if (word.empty() || failure != std::errc{} || end != word.data() + word.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::array<std::uint8_t, kEtherAddrLen>> address_from(std::string_view word) {
    constexpr std::size_t kTextLength = kEtherAddrLen * 3 - 1;
    if (word.size() != kTextLength) {
        return std::nullopt;
    }
    std::array<std::uint8_t, kEtherAddrLen> address{};
    for (std::size_t i = 0; i < kEtherAddrLen; ++i) {
        const char* digits = word.data() + i * 3;
        const auto [end, failure] = std::from_chars(digits, digits + 2, address[i], 16);
        const bool separated = i + 1 == kEtherAddrLen || digits[2] == ':';
        if (failure != std::errc{} || end != digits + 2 || !separated) {
            return std::nullopt;
        }
    }
    return address;
}

// Reads one line's words, keeping the line number for every complaint.
class line_reader {
public:
    line_reader(std::size_t number, std::vector<std::string_view> words)
        : number_(number), words_(std::move(words)) {}

    [[noreturn]] void fail(const std::string& why) const {
        throw state_file_error("line " + std::to_string(number_) + ": " + why);
    }

    std::size_t size() const { return words_.size(); }
    std::string_view operator[](std::size_t i) const { return words_[i]; }

    void expect_size(std::size_t count, std::string_view usage) const {
        if (words_.size() != count) {
            fail("expected " + std::string(usage));
        }
    }

    std::string name(std::size_t i) const {
        const std::optional<std::string> name = name_from_text(words_[i]);
        if (!name) {
            fail("bad escape in name " + quoted(words_[i]));
        }
        if (name->empty() || name->size() > kNameField) {
            fail("name " + quoted(words_[i]) + " is not 1 to " + std::to_string(kNameField) +
                 " bytes long");
        }
        return *name;
    }

    template <typename Number>
    Number number(std::size_t i) const {
        const std::optional<Number> value = number_from<Number>(words_[i]);
        if (!value) {
            fail("bad number " + quoted(words_[i]));
        }
        return *value;
    }

    std::array<std::uint8_t, kEtherAddrLen> address(std::size_t i) const {
        const auto address = address_from(words_[i]);
        if (!address) {
            fail("bad Ethernet address " + quoted(words_[i]) + " (want xx:xx:xx:xx:xx:xx)");
        }
        return *address;
    }

private:
    std::size_t number_;
    std::vector<std::string_view> words_;
};

template <typename Value>
void set_once(const line_reader& line, std::optional<Value>& field, std::string_view key,
              Value value) {
    if (field) {
        line.fail(std::string(key) + " given twice");
    }
    field = value;
}

segment_state segment_from(const line_reader& line) {
    if (line.size() < 2 || line.size() % 2 != 0) {
        line.fail("expected segment NAME [speed N] [duplex N] [state BITS]");
    }
    segment_state segment;
    segment.name = line.name(1);
    std::optional<std::int32_t> speed;
    std::optional<std::int32_t> duplex;
    std::optional<std::uint32_t> state;
    for (std::size_t i = 2; i < line.size(); i += 2) {
        const std::string_view key = line[i];
        if (key == "speed") {
            set_once(line, speed, key, line.number<std::int32_t>(i + 1));
        } else if (key == "duplex") {
            set_once(line, duplex, key, line.number<std::int32_t>(i + 1));
        } else if (key == "state") {
            set_once(line, state, key, line.number<std::uint32_t>(i + 1));
        } else {
            line.fail("unknown segment field " + quoted(key));
        }
    }
    segment.state = state.value_or(0);
    segment.speed = speed.value_or(speed_for_state(segment.state));
    segment.duplex = duplex.value_or(duplex_for_state(segment.state));
    return segment;
}

// Applies one line inside a link block to that link.
void add_to_link(const line_reader& line, std::string_view device, link_state& link, bool& named) {
    const std::string_view keyword = line[0];
    if (keyword == "name") {
        line.expect_size(2, "name NAME");
        if (named) {
            line.fail("link " + std::string(device) + " is named twice");
        }
        link.record_name = line.name(1);
        named = true;
    } else if (keyword == "mode") {
        line.expect_size(2, "mode BITS");
        link.mode = line.number<std::uint32_t>(1);
    } else if (keyword == "segment") {
        segment_state segment = segment_from(line);
        for (const segment_state& other : link.segments) {
            if (other.name == segment.name) {
                line.fail("segment " + quoted(line[1]) + " appears twice in link " +
                          std::string(device));
            }
        }
        if (link.segments.size() >= kMaxListLength) {
            line.fail("too many segments");
        }
        link.segments.push_back(std::move(segment));
    } else if (keyword == "tl") {
        line.expect_size(3, "tl xx:xx:xx:xx:xx:xx IFNAME");
        if (link.entries.size() >= kMaxListLength) {
            line.fail("too many table-lookup entries");
        }
        link.entries.push_back({line.address(1), line.name(2)});
    } else {
        line.fail("unknown keyword " + quoted(keyword));
    }
}

struct file_closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using file_handle = std::unique_ptr<std::FILE, file_closer>;

state_file_error file_failure(const std::string& path, std::string_view what) {
    return state_file_error(path + ": cannot " + std::string(what) + ": " + std::strerror(errno));
}

constexpr mode_t kNewFileMode = 0666;

mode_t current_umask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// A file of a unique name beside `target`, removed again unless released:
// no error leaves one behind.
class temporary_file {
public:
    explicit temporary_file(const std::string& target) {
        const std::size_t slash = target.rfind('/');
        const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
        path_ = target.substr(0, start) + "." + target.substr(start) + ".XXXXXX";
        fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
        if (fd_ < 0) {
            throw file_failure(path_, "create temporary state");
        }
    }
    ~temporary_file() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!released_) {
            ::unlink(path_.c_str());
        }
    }
    temporary_file(const temporary_file&) = delete;
    temporary_file& operator=(const temporary_file&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    void close() {
        if (fd_ >= 0 && ::close(fd_) != 0) {
            fd_ = -1;
            throw file_failure(path_, "write state");
        }
        fd_ = -1;
    }
    void release() { released_ = true; }

private:
    std::string path_;
    int fd_ = -1;
    bool released_ = false;
};

void write_whole(int fd, std::string_view text, const std::string& path) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            throw file_failure(path, "write state");
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

// So that the rename itself survives a crash.
void sync_directory_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

driver_state parse_state(std::string_view text) {
    driver_state state;
    link_state* current = nullptr;
    std::string_view current_device;
    bool named = false;
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const line_reader line(++number, words_of(text.substr(0, end)));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.size() == 0) {
            continue;
        }
        if (line[0] == "link") {
            line.expect_size(2, "link DEVICE");
            if (!is_link_device_name(line[1])) {
                line.fail(quoted(line[1]) + " is not a link device (zl0..zl8, zlumi0..zlumi8)");
            }
            const auto [entry, added] = state.emplace(std::string(line[1]), empty_link(line[1]));
            if (!added) {
                line.fail("link " + std::string(line[1]) + " appears twice");
            }
            current = &entry->second;
            current_device = entry->first;
            named = false;
            continue;
        }
        if (current == nullptr) {
            line.fail(quoted(line[0]) + " before the first link line");
        }
        add_to_link(line, current_device, *current, named);
    }
    return state;
}

std::string format_state(const driver_state& state) {
    std::string text;
    for (const auto& [device, link] : state) {
        if (!text.empty()) {
            text += '\n';
        }
        text += "link " + device + '\n';
        if (link.record_name != device) {
            text += "  name " + name_as_text(link.record_name) + '\n';
        }
        text += "  mode " + hex32(link.mode) + '\n';
        for (const segment_state& segment : link.segments) {
            text += "  segment " + name_as_text(segment.name) + " speed " +
                    std::to_string(segment.speed) + " duplex " + std::to_string(segment.duplex) +
                    " state " + hex32(segment.state) + '\n';
        }
        for (const lookup_entry& entry : link.entries) {
            text += "  tl " + ether_address_text(entry.address) + ' ' + name_as_text(entry.ifname) +
                    '\n';
        }
    }
    return text;
}

driver_state load_state_file(const std::string& path) {
    const file_handle file(std::fopen(path.c_str(), "r"));
    if (!file) {
        if (errno == ENOENT) {
            return {};
        }
        throw file_failure(path, "read state");
    }
    std::string text;
    std::array<char, 4096> buffer;
    std::size_t count = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0) {
        text.append(buffer.data(), count);
    }
    if (std::ferror(file.get()) != 0) {
        throw file_failure(path, "read state");
    }
    try {
        return parse_state(text);
    } catch (const state_file_error& error) {
        throw state_file_error(path + ": " + error.what());
    }
}

std::string resolved_state_path(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path resolved = path;
    std::error_code error;
    // A bound, as the kernel has, against a loop of links.
    for (int depth = 0; depth < 40 && fs::is_symlink(resolved, error); ++depth) {
        const fs::path target = fs::read_symlink(resolved, error);
        if (error) break;
        resolved = target.is_absolute() ? target : resolved.parent_path() / target;
    }
    return resolved.string();
}

void save_state_file(const std::string& path, const driver_state& state) {
    const std::string target = resolved_state_path(path);
    // Renaming over a device or a pipe would replace it: /dev/null given as
    // the state file must stay /dev/null.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        throw state_file_error(target + ": cannot write state: not a regular file");
    }
    const std::string text = format_state(state);
    temporary_file temporary(target);
    write_whole(temporary.fd(), text, temporary.path());
    // A new file gets what the umask allows; a replaced one keeps its mode.
    const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? existing.st_mode & 07777
                                                               : kNewFileMode & ~current_umask();
    if (::fchmod(temporary.fd(), mode) != 0 || ::fsync(temporary.fd()) != 0) {
        throw file_failure(temporary.path(), "write state");
    }
    temporary.close();
    if (std::rename(temporary.path().c_str(), target.c_str()) != 0) {
        throw file_failure(target, "replace state");
    }
    temporary.release();
    sync_directory_of(target);
}

}  // namespace model
