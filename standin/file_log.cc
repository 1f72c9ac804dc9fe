#include "standin/file_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "model/log_lines.h"
#include "model/state_folder.h"

namespace standin {

namespace {

std::runtime_error log_failure(const std::string& path, std::string_view what) {
    return std::runtime_error("cannot " + std::string(what) + " log " + path + ": " +
                              std::strerror(errno));
}

}  // namespace

// Opened in its folder and never through a symbolic link, as the state is.
file_log::file_log(std::string path) : path_(std::move(path)) {
    const model::state_folder folder(path_);
    fd_ = folder.open(folder.name(), O_WRONLY | O_APPEND | O_CREAT);
    if (fd_ < 0) {
        throw log_failure(path_, "open");
    }
}

file_log::~file_log() {
    ::close(fd_);
}

void file_log::write(const model::request_record& record) {
    std::string text = model::log_line(record);
    text += '\n';
    std::string_view rest = text;
    while (!rest.empty()) {
        const ssize_t written = ::write(fd_, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            throw log_failure(path_, "append to");
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace standin
