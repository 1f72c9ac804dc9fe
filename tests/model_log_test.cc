// The stand-in driver's request log: one decoded line per open, request and
// close, showing only the fields each request uses. The transcripts show the
// line of every request the tool sends; these are the lines they cannot reach.
#include <cerrno>
#include <cstring>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "driver/requests.h"
#include "model/model_device.h"
#include "model/state_file.h"

namespace model {
namespace {

using ::testing::ElementsAre;

TEST(ModelLog, NamesAreBoundedByTheirFieldAndEscaped) {
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

TEST(ModelLog, FailuresWithoutARecordOrDescriptor) {
    model_device device(parse_state("link zl0\n"), failure_plan::parse("ZLIOSMODE:1:200"));
    const int fd = device.open("/dev/zl0", 2);
    link_req request{};
    device.ioctl(fd, ZLIOSMODE, nullptr);
    device.ioctl(fd, ZLIOSMODE, &request);
    device.ioctl(fd, 0x12345678, &request);
    device.ioctl(fd + 7, ZLIOGLINK, &request);
    device.close(fd + 7);
    device.open("/etc/passwd", 0);

    EXPECT_THAT(device.log_lines(),
                ElementsAre("open /dev/zl0 flags=0x2 -> ok", "zl0 ZLIOSMODE -> EFAULT",
                            "zl0 ZLIOSMODE flags=0x00000000 -> 200",
                            "zl0 unknown-code 0x12345678 -> EINVAL",
                            "fd=" + std::to_string(fd + 7) + " ZLIOGLINK -> EBADF",
                            "close fd=" + std::to_string(fd + 7) + " -> EBADF",
                            "open /etc/passwd flags=0x0 -> ENOENT"));
}

}  // namespace
}  // namespace model
