// The stand-in driver's request log: one decoded line per open, request and
// close, showing only the fields each request uses.
#include <cerrno>
#include <cstring>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "driver/requests.h"
#include "standin/model_device.h"
#include "standin/state_file.h"

namespace standin {
namespace {

using ::testing::ElementsAre;

TEST(StandinLog, CommitOfANewLink) {
    model_device device({}, failure_plan::parse("open:zl3:ENOENT"));
    const int fd = device.open("/dev/zl0", 2);
    std::uint8_t record[88];
    link_req request{};
    request.data = record;
    device.ioctl(fd, ZLIOGLINK, &request);
    device.ioctl(fd, ZLIOCLINK, nullptr);
    std::strcpy(request.name, "ce");
    request.flags = 0x1110;
    device.ioctl(fd, ZLIOASEG, &request);
    request.flags = 0x110;
    device.ioctl(fd, ZLIOSSEG, &request);
    request.flags = 0x1100;
    device.ioctl(fd, ZLIOSMODE, &request);
    request.unit = 1;
    const std::uint8_t address[] = {0x02, 0, 0, 0x0a, 0x0b, 0x0c};
    std::memcpy(request.eaddr, address, sizeof address);
    device.ioctl(fd, ZLIOATL, &request);
    device.ioctl(fd, ZLIOELINK, nullptr);
    device.ioctl(fd, ZLIOGLINK, &request);
    request.cursor = 0x5a1e00000000a001;
    device.ioctl(fd, ZLIOGSEG, &request);
    device.ioctl(fd, 0x12345678, &request);
    device.close(fd);
    device.open("/dev/zl3", 2);

    EXPECT_THAT(
        device.log_lines(),
        ElementsAre("open /dev/zl0 flags=0x2 -> ok", "zl0 ZLIOGLINK -> ENXIO",
                    "zl0 ZLIOCLINK -> ok", "zl0 ZLIOASEG name=ce unit=0 flags=0x00001110 -> ok",
                    "zl0 ZLIOSSEG name=ce unit=0 flags=0x00000110 -> ok",
                    "zl0 ZLIOSMODE flags=0x00001100 -> ok",
                    "zl0 ZLIOATL name=ce unit=1 eaddr=02:00:00:0a:0b:0c -> ok",
                    "zl0 ZLIOELINK -> ok", "zl0 ZLIOGLINK -> ok",
                    "zl0 ZLIOGSEG cursor=0x5a1e00000000a001 -> ok",
                    "zl0 unknown-code 0x12345678 -> EINVAL", "close zl0",
                    "open /dev/zl3 flags=0x2 -> ENOENT"));
}

TEST(StandinLog, NamesAreBoundedByTheirFieldAndEscaped) {
    model_device device(parse_state("link zlumi2\n"));
    const int fd = device.open("/dev/zlumi2", 0x80002);
    link_req request{};
    std::memcpy(request.name, "c\x01 \\", 5);
    request.unit = 12;
    device.ioctl(fd, ZLIODSEG, &request);
    std::memcpy(request.name, "abcdefgh", 8);
    request.unit = -3;
    device.ioctl(fd, ZLIOSSEG, &request);

    EXPECT_THAT(
        device.log_lines(),
        ElementsAre("open /dev/zlumi2 flags=0x80002 -> ok",
                    "zlumi2 ZLIODSEG name=c\\x01\\x20\\x5c unit=12 flags=0x00000000 -> ENOENT",
                    "zlumi2 ZLIOSSEG name=abcdefgh unit=-3 flags=0x00000000 -> EINVAL"));
}

TEST(StandinLog, FailuresWithoutARecordOrDescriptor) {
    model_device device(parse_state("link zl0\n"), failure_plan::parse("ZLIOSMODE:1:200"));
    const int fd = device.open("/dev/zl0", 2);
    link_req request{};
    device.ioctl(fd, ZLIOSMODE, nullptr);
    device.ioctl(fd, ZLIOSMODE, &request);
    device.ioctl(fd + 7, ZLIOGLINK, &request);
    device.close(fd + 7);
    device.open("/etc/passwd", 0);

    EXPECT_THAT(device.log_lines(),
                ElementsAre("open /dev/zl0 flags=0x2 -> ok", "zl0 ZLIOSMODE -> EFAULT",
                            "zl0 ZLIOSMODE flags=0x00000000 -> 200",
                            "fd=" + std::to_string(fd + 7) + " ZLIOGLINK -> EBADF",
                            "close fd=" + std::to_string(fd + 7) + " -> EBADF",
                            "open /etc/passwd flags=0x0 -> ENOENT"));
}

}  // namespace
}  // namespace standin
