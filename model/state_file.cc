#include "model/state_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "model/link_names.h"
#include "model/name_text.h"
#include "model/number_text.h"
#include "model/state_folder.h"
#include "text/formatting.h"

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
        // A NUL ends a name in the driver's records: no request could reach it.
        if (name->find('\0') != std::string::npos) {
            fail("name " + quoted(words_[i]) + " holds a NUL byte");
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

// A file of a unique name beside the state, removed again unless released:
// no error leaves one behind. A save that was killed leaves one, which the next
// save removes (stale_temporaries_removed).
class temporary_file {
public:
    temporary_file(const state_folder& folder, mode_t mode) : folder_(folder) {
        for (int attempt = 0; fd_ < 0; ++attempt) {
            name_ = "." + folder.name() + "." + random_suffix();
            fd_ = ::openat(folder.fd(), name_.c_str(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (fd_ < 0 && (errno != EEXIST || attempt == 100)) {
                fail_on(folder.path_of(name_), "create temporary state");
            }
        }
    }
    ~temporary_file() {
        if (fd_ >= 0) ::close(fd_);
        if (!released_) ::unlinkat(folder_.fd(), name_.c_str(), 0);
    }
    temporary_file(const temporary_file&) = delete;
    temporary_file& operator=(const temporary_file&) = delete;

    int fd() const { return fd_; }
    const std::string& name() const { return name_; }
    void close() {
        const int closing = fd_;
        fd_ = -1;
        if (::close(closing) != 0) fail_on(folder_.path_of(name_), "write state");
    }
    void release() { released_ = true; }

    static constexpr std::size_t kSuffixLength = 6;

private:
    static std::string random_suffix() {
        static constexpr char kLetters[] =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        std::random_device random;
        std::string suffix;
        for (std::size_t i = 0; i < kSuffixLength; ++i) {
            suffix += kLetters[random() % (sizeof kLetters - 1)];
        }
        return suffix;
    }

    const state_folder& folder_;
    std::string name_;
    int fd_ = -1;
    bool released_ = false;
};

// Saves run under the exclusive lock, so a temporary file of the state's
// name is one that a killed save left.
void stale_temporaries_removed(const state_folder& folder) {
    const std::string prefix = "." + folder.name() + ".";
    const int fd = ::openat(folder.fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    DIR* listing = ::fdopendir(fd);
    if (listing == nullptr) {
        ::close(fd);
        return;
    }
    // One thread reads the listing: readdir_r, which the check would have, is deprecated.
    // cppcheck-suppress readdirCalled
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name.size() == prefix.size() + temporary_file::kSuffixLength &&
            name.starts_with(prefix) && entry->d_type == DT_REG) {
            ::unlinkat(folder.fd(), entry->d_name, 0);
        }
    }
    ::closedir(listing);
}

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
            fail_on(path, "write state");
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

driver_state parsed(const std::string& path, std::string_view text) {
    try {
        return parse_state(text);
    } catch (const state_file_error& error) {
        throw state_file_error(path + ": " + error.what());
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
    // Only read: a symbolic link may lead to it, but it must be a regular file.
    const owned_fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return {};
        fail_on(path, "read state");
    }
    struct stat what {};
    if (::fstat(fd.get(), &what) != 0) fail_on(path, "read state");
    if (!S_ISREG(what.st_mode)) throw state_file_error(path + ": not a regular file");
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    return parsed(path, read_limited(fd.get(), path));
}

std::optional<driver_state> load_state(const state_folder& folder) {
    const owned_fd fd(folder.open(folder.name(), O_RDONLY));
    if (fd.get() < 0) {
        if (errno == ENOENT) return std::nullopt;
        fail_on(folder.path(), "read state");
    }
    return parsed(folder.path(), read_limited(fd.get(), folder.path()));
}

void save_state(const state_folder& folder, const driver_state& state) {
    // Renaming over a link, a device or a pipe would replace it: /dev/null
    // given as the state file must stay /dev/null.
    struct stat existing {};
    const bool exists =
        ::fstatat(folder.fd(), folder.name().c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && S_ISLNK(existing.st_mode)) {
        throw state_file_error(folder.path() +
                               ": is a symbolic link, which is never followed; name the file "
                               "itself");
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        throw state_file_error(folder.path() + ": cannot write state: not a regular file");
    }
    stale_temporaries_removed(folder);
    const std::string text = format_state(state);
    // A replaced file keeps its mode; a new one gets the folder's.
    const mode_t mode = exists ? existing.st_mode & 07777 : folder.new_file_mode();
    temporary_file temporary(folder, mode);
    const std::string temporary_path = folder.path_of(temporary.name());
    write_whole(temporary.fd(), text, temporary_path);
    if (::fchmod(temporary.fd(), mode) != 0 || ::fsync(temporary.fd()) != 0) {
        fail_on(temporary_path, "write state");
    }
    temporary.close();
    if (::renameat(folder.fd(), temporary.name().c_str(), folder.fd(), folder.name().c_str()) !=
        0) {
        fail_on(folder.path(), "replace state");
    }
    temporary.release();
    // So that the rename itself survives a crash.
    ::fsync(folder.fd());
}

void save_state_file(const std::string& path, const driver_state& state) {
    save_state(state_folder(path), state);
}

}  // namespace model
