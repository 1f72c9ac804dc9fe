#include "save/driver_links.h"

#include <fcntl.h>

#include <cerrno>

#include "driver/device.h"
#include "driver/link_driver.h"
#include "globals.h"
#include "link/description.h"
#include "link/families.h"

namespace save {

namespace {

// Releases the description and closes the device however the read ends.
class open_link {
public:
    explicit open_link(int fd) { linkfp = fd; }
    ~open_link() {
        if (zl != nullptr) release_link_description();
        current_device().close(linkfp);
        linkfp = 0;
    }
    open_link(const open_link&) = delete;
    open_link& operator=(const open_link&) = delete;
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
    driver_link result;
    const int fd = current_device().open(("/dev/" + name).c_str(), O_RDWR);
    if (fd < 0) {
        result.open_error = errno;
        return result;
    }
    result.opened = true;
    const open_link open(fd);
    zl = static_cast<link_desc*>(allocate_record());
    forget_list_tails();
    zl->segs = nullptr;  // nothing in the record is ours until the driver has written it
    zl->ttls = nullptr;
    if (getlinkinfo() != 0) result.link = plan::snapshot_of_zl();
    return result;
}

}  // namespace save
