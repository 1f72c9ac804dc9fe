#include "device.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

class libc_device final : public device {
public:
    int open(const char* path, int flags) override { return ::open(path, flags); }
    int ioctl(int fd, unsigned long request, void* arg) override {
        return ::ioctl(fd, request, arg);
    }
    int close(int fd) override { return ::close(fd); }
};

device* active = nullptr;

}  // namespace

device& system_device() {
    static libc_device instance;
    return instance;
}

device& current_device() {
    return active != nullptr ? *active : system_device();
}

void use_device(device& d) {
    active = &d;
}
