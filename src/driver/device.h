// The seam through which the tool reaches the driver.
#pragma once

/// Abstract so that reading and committing can run against an in-memory driver
/// in tests. The real implementation, system_device(), calls the C library's
/// open, ioctl and close. Failures are reported as the C library does: -1 (or
/// any non-zero ioctl result) with errno set.
class device {
public:
    virtual ~device() = default;
    virtual int open(const char* path, int flags) = 0;
    virtual int ioctl(int fd, unsigned long request, void* arg) = 0;
    virtual int close(int fd) = 0;
};

device& system_device();
