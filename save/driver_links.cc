#include "save/driver_links.h"

#include <fcntl.h>

#include <cerrno>

#include "config/families.h"
#include "driver/link_driver.h"
#include "link/link_description.h"

namespace save {

namespace {

// Closes the device however the read ends.
class open_link {
public:
    open_link(device& driver, int fd) : driver_(driver), fd_(fd) {}
    ~open_link() { driver_.close(fd_); }
    open_link(const open_link&) = delete;
    open_link& operator=(const open_link&) = delete;

private:
    device& driver_;
    int fd_;
};

}  // namespace

std::vector<std::string> all_link_names() {
    std::vector<std::string> names;
    for (const std::string_view family : kLinkFamilies) {
        for (const char unit : kLinkUnits) names.push_back(std::string(family) + unit);
    }
    return names;
}

driver_link read_driver_link(const std::string& name) {
    return read_driver_link(system_device(), name);
}

driver_link read_driver_link(device& driver, const std::string& name) {
    driver_link result;
    const int fd = driver.open(("/dev/" + name).c_str(), O_RDWR);
    if (fd < 0) {
        result.open_error = errno;
        return result;
    }
    result.opened = true;
    const open_link open(driver, fd);
    link_description read;
    read.begin_reading();
    if (read_link(driver, fd, read)) result.link = snapshot_of(*read.zl);
    return result;
}

}  // namespace save
