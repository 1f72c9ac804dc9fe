// Failures injected into the stand-in driver: which occurrence fails, with
// what, and that a refused request changes nothing.
#include <cerrno>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "driver/requests.h"
#include "model/model_device.h"
#include "model/state_file.h"

namespace model {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

// 0, or the errno value the call failed with.
int outcome(int result) {
    return result == 0 ? 0 : errno;
}

int create(model_device& device, const char* path) {
    const int fd = device.open(path, 2);
    const int error = outcome(device.ioctl(fd, ZLIOCLINK, nullptr));
    device.close(fd);
    return error;
}

TEST(ModelFailures, NthOccurrenceIsCountedAcrossLinks) {
    model_device device({}, failure_plan::parse("ZLIOCLINK:2:EBUSY"));
    EXPECT_EQ(create(device, "/dev/zl0"), 0);
    EXPECT_EQ(create(device, "/dev/zl1"), EBUSY);
    EXPECT_EQ(create(device, "/dev/zl2"), 0);
    EXPECT_EQ(create(device, "/dev/zl1"), 0) << "only the second one fails";
    EXPECT_EQ(device.state().size(), 3U);
}

TEST(ModelFailures, EveryOccurrenceFailsAndChangesNothing) {
    const char* seeded = "link zl0\n  segment ce0 state 0x110\n";
    model_device device(parse_state(seeded), failure_plan::parse("ZLIOSSEG:*:EIO"));
    const int fd = device.open("/dev/zl0", 2);
    link_req request{};
    request.name[0] = 'c';
    request.name[1] = 'e';
    request.flags = 0x220;
    EXPECT_EQ(outcome(device.ioctl(fd, ZLIOSSEG, &request)), EIO);
    EXPECT_EQ(outcome(device.ioctl(fd, ZLIOSSEG, &request)), EIO);
    EXPECT_EQ(outcome(device.ioctl(fd, ZLIOSMODE, &request)), 0) << "other requests go through";
    EXPECT_EQ(device.state().at("zl0").segments.at(0).state, 0x110U);
}

TEST(ModelFailures, FirstMatchingRuleWinsAndErrorsMayBeNumbers) {
    model_device device(parse_state("link zl0\n"),
                        failure_plan::parse("ZLIOELINK:1:EPERM,ZLIOELINK:*:5,ZLIOELINK:3:EBUSY"));
    const int fd = device.open("/dev/zl0", 2);
    EXPECT_EQ(outcome(device.ioctl(fd, ZLIOELINK, nullptr)), EPERM);
    EXPECT_EQ(outcome(device.ioctl(fd, ZLIOELINK, nullptr)), EIO);
    EXPECT_EQ(outcome(device.ioctl(fd, ZLIOELINK, nullptr)), EIO);
}

class ModelBadFailureRules : public ::testing::TestWithParam<const char*> {};

TEST_P(ModelBadFailureRules, AreRefusedNamingTheRule) {
    EXPECT_THAT([] { failure_plan::parse(GetParam()); },
                ThrowsMessage<failure_rule_error>(HasSubstr("bad failure rule")));
}

INSTANTIATE_TEST_SUITE_P(Malformed, ModelBadFailureRules,
                         ::testing::Values("ZLIOCLINK:1", "ZLIOCLINK:1:EBUSY:2", "ZLIOFOO:1:EIO",
                                           "zliOCLINK:1:EIO", "ZLIOCLINK:0:EIO", "ZLIOCLINK:-1:EIO",
                                           "ZLIOCLINK:x:EIO", "ZLIOCLINK:1:EWHAT", "ZLIOCLINK:1:0",
                                           "open:zl9:EIO", "open:/dev/zl0:EIO", "ZLIOCLINK:1:EIO,",
                                           ",ZLIOCLINK:1:EIO"));

TEST(ModelFailures, ErrorNamesTheOffendingRule) {
    EXPECT_THAT(
        [] { failure_plan::parse("ZLIOCLINK:1:EBUSY,ZLIOSSEG:*:ENOPE"); },
        ThrowsMessage<failure_rule_error>(HasSubstr("'ZLIOSSEG:*:ENOPE': unknown error 'ENOPE'")));
}

}  // namespace
}  // namespace model
