#include "model/errno_names.h"

#include <cerrno>
#include <charconv>
#include <utility>

namespace model {

namespace {

// The errors a device driver and its device nodes plausibly give.
constexpr std::pair<int, std::string_view> kErrnoSymbols[] = {
    {EPERM, "EPERM"},   {ENOENT, "ENOENT"}, {EINTR, "EINTR"},   {EIO, "EIO"},
    {ENXIO, "ENXIO"},   {EBADF, "EBADF"},   {EAGAIN, "EAGAIN"}, {ENOMEM, "ENOMEM"},
    {EACCES, "EACCES"}, {EFAULT, "EFAULT"}, {EBUSY, "EBUSY"},   {EEXIST, "EEXIST"},
    {ENODEV, "ENODEV"}, {EINVAL, "EINVAL"}, {ENFILE, "ENFILE"}, {EMFILE, "EMFILE"},
    {ENOTTY, "ENOTTY"}, {ENOSPC, "ENOSPC"}, {EROFS, "EROFS"},   {ERANGE, "ERANGE"},
};

}  // namespace

std::string errno_name(int error) {
    for (const auto& [number, symbol] : kErrnoSymbols) {
        if (number == error) {
            return std::string(symbol);
        }
    }
    return std::to_string(error);
}

std::optional<int> errno_from_name(std::string_view name) {
    for (const auto& [number, symbol] : kErrnoSymbols) {
        if (symbol == name) {
            return number;
        }
    }
    int number = 0;
    const auto [end, failure] = std::from_chars(name.data(), name.data() + name.size(), number);
    if (name.empty() || failure != std::errc{} || end != name.data() + name.size() || number <= 0) {
        return std::nullopt;
    }
    return number;
}

}  // namespace model
