// The stand-in driver's requests as a program makes them, through the device
// seam: what each one writes back, what it changes and how it fails.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "driver/requests.h"
#include "model/model_device.h"
#include "model/state_file.h"

namespace model {
namespace {

using ::testing::AllOf;
using ::testing::Each;
using ::testing::Gt;
using ::testing::Ne;

using raw_record = std::array<std::uint8_t, 88>;

// Decoded by byte offset, not through the tool's structs, so that a layout
// mistake shared by both sides cannot hide.
template <typename Value>
Value at(const raw_record& record, std::size_t offset) {
    Value value;
    std::memcpy(&value, record.data() + offset, sizeof value);
    return value;
}

// A name field read as the tool must: up to its NUL, never past its 64 bytes.
std::string name_at(const raw_record& record, std::size_t offset) {
    const auto* const begin = record.begin() + static_cast<std::ptrdiff_t>(offset);
    return std::string(begin, std::find(begin, begin + 64, 0));
}

std::vector<std::uint8_t> bytes(const raw_record& record, std::size_t from, std::size_t to) {
    return {record.begin() + static_cast<std::ptrdiff_t>(from),
            record.begin() + static_cast<std::ptrdiff_t>(to)};
}

// 0, or the errno value the read failed with.
int read_record(model_device& device, int fd, unsigned long code, std::uint64_t cursor,
                raw_record& record) {
    link_req request{};
    request.cursor = cursor;
    request.data = record.data();
    return device.ioctl(fd, code, &request) == 0 ? 0 : errno;
}

link_req interface_request(const char* stem, std::int32_t unit, std::uint32_t flags = 0) {
    link_req request{};
    std::strcpy(request.name, stem);
    request.unit = unit;
    request.flags = flags;
    return request;
}

class ModelRequests : public ::testing::Test {
protected:
    void SetUp() override { fd_ = device_.open("/dev/zl0", 2); }

    explicit ModelRequests(const char* state = "") : device_(parse_state(state)) {}

    // 0, or the errno value the request failed with.
    int send(unsigned long code, link_req* request = nullptr) {
        return device_.ioctl(fd_, code, request) == 0 ? 0 : errno;
    }

    int read(unsigned long code, std::uint64_t cursor, raw_record& record) {
        return read_record(device_, fd_, code, cursor, record);
    }

    std::string state() const { return format_state(device_.state()); }

    model_device device_;
    int fd_ = -1;
};

constexpr const char* kSeeded =
    "link zl0\n"
    "  name trunk0\n"
    "  mode 0x00000120\n"
    "  segment ce0 speed 100 duplex 2 state 0x00010110\n"
    "  segment ce1 speed 10 duplex 1 state 0x000a0020\n"
    "  segment ce2 speed 100 duplex 2 state 0x00000010\n"
    "  tl 02:00:00:0a:0b:0c ce0\n"
    "  tl 02:00:00:0a:0b:0d ce1\n";

class ModelSeededLink : public ModelRequests {
protected:
    ModelSeededLink() : ModelRequests(kSeeded) {}
};

// The bytes of kSeeded's first lookup entry that the format leaves open: after
// the name "ce0" and its NUL, padding, and `installed`.
std::vector<std::uint8_t> entry_open_bytes(model_device& device) {
    const int fd = device.open("/dev/zl0", 2);
    raw_record link{};
    raw_record entry{};
    EXPECT_EQ(read_record(device, fd, ZLIOGLINK, 0, link), 0);
    EXPECT_EQ(read_record(device, fd, ZLIOGTL, at<std::uint64_t>(link, 0x50), entry), 0);
    device.close(fd);
    return bytes(entry, 0x0A, 0x50);
}

// A tool that relies on an open byte passes by luck when the driver happens to
// leave the right value there; so what is left varies, choosably.
TEST(ModelRecords, OpenBytesFollowTheFillPolicy) {
    for (const auto& [policy, byte] :
         {std::pair{fill_policy::zeros, 0x00}, {fill_policy::a5, 0xA5}}) {
        model_device device(parse_state(kSeeded), {}, policy);
        EXPECT_THAT(entry_open_bytes(device), Each(byte));
    }
    // Varied, the default: all zeros, all 0xA5, then a pattern of neither, in turn.
    model_device device(parse_state(kSeeded));
    EXPECT_THAT(entry_open_bytes(device), Each(0x00));
    EXPECT_THAT(entry_open_bytes(device), Each(0xA5));
    EXPECT_THAT(entry_open_bytes(device), Each(AllOf(Gt(1), Ne(0xA5))));
    EXPECT_THROW(parse_fill_policy("0xA5"), std::invalid_argument);
}

TEST_F(ModelSeededLink, HandlesAreWideAndOnlyForTheirListAndLink) {
    raw_record link{};
    ASSERT_EQ(read(ZLIOGLINK, 0, link), 0);
    const auto first_segment = at<std::uint64_t>(link, 0x48);
    const auto first_entry = at<std::uint64_t>(link, 0x50);
    EXPECT_GT(first_segment, 0xFFFFFFFFULL);
    EXPECT_NE(first_segment, first_entry);

    raw_record record{};
    EXPECT_EQ(read(ZLIOGTL, first_segment, record), EINVAL) << "a segment handle is no entry's";
    EXPECT_EQ(read(ZLIOGSEG, first_segment + 3, record), EINVAL) << "past the list's end";
    EXPECT_EQ(read(ZLIOGSEG, 1, record), EINVAL);

    // The same handle means nothing on another link.
    model_device other(parse_state("link zl1\n  segment ce0\n"));
    EXPECT_EQ(read_record(other, other.open("/dev/zl1", 2), ZLIOGSEG, first_segment, record),
              EINVAL);
}

TEST_F(ModelRequests, AbsentLinkRefusesAllButCreation) {
    raw_record record{};
    EXPECT_EQ(read(ZLIOGLINK, 0, record), ENXIO);
    EXPECT_THAT(record, Each(0)) << "nothing written";
    link_req request = interface_request("ce", 0, 0x1110);
    for (const auto code : {ZLIOGSEG, ZLIOGTL, ZLIOASEG, ZLIOSSEG, ZLIODSEG, ZLIOATL, ZLIOSMODE}) {
        EXPECT_EQ(send(code, &request), ENXIO) << request_name(code);
    }
    for (const auto code : {ZLIODLINK, ZLIOELINK}) {
        EXPECT_EQ(send(code), ENXIO) << request_name(code);
    }
    EXPECT_EQ(send(ZLIOCLINK), 0);
    EXPECT_EQ(send(ZLIOCLINK), EEXIST);
    EXPECT_EQ(state(), "link zl0\n  mode 0x00000000\n");

    ASSERT_EQ(read(ZLIOGLINK, 0, record), 0);
    EXPECT_EQ(name_at(record, 0), "zl0");
    EXPECT_EQ(at<std::uint32_t>(record, 0x40), 0x1U);
    EXPECT_EQ(at<std::uint64_t>(record, 0x48), 0U) << "no segments, no handle";
    EXPECT_EQ(at<std::uint64_t>(record, 0x50), 0U) << "no entries, no handle";
}

TEST_F(ModelRequests, CommitSequenceBuildsTheLink) {
    ASSERT_EQ(send(ZLIOCLINK), 0);
    link_req request = interface_request("ce", 10, 0x1110);
    EXPECT_EQ(send(ZLIOASEG, &request), 0);
    EXPECT_EQ(send(ZLIOASEG, &request), EEXIST);
    request = interface_request("ce1", 0, 0x1000 | 0x80000 | 0x20000);
    EXPECT_EQ(send(ZLIOASEG, &request), 0);
    request.flags = 0x40110;
    EXPECT_EQ(send(ZLIOSSEG, &request), 0);
    request = interface_request("ce", 15);
    const std::uint8_t address[] = {0x02, 0, 0, 0x0a, 0x0b, 0x0c};
    std::memcpy(request.eaddr, address, sizeof address);
    EXPECT_EQ(send(ZLIOATL, &request), 0);
    request.unit = 1;
    EXPECT_EQ(send(ZLIOATL, &request), 0) << "an address held moves to the new member";
    request.eaddr[5] = 0x0d;
    EXPECT_EQ(send(ZLIOATL, &request), 0);
    request.flags = 0x11100;
    EXPECT_EQ(send(ZLIOSMODE, &request), 0);
    EXPECT_EQ(send(ZLIOELINK), 0);

    EXPECT_EQ(state(),
              "link zl0\n"
              "  mode 0x00011100\n"
              "  segment cea speed 100 duplex 2 state 0x00001110\n"
              "  segment ce10 speed 100 duplex 2 state 0x00040110\n"
              "  tl 02:00:00:0a:0b:0c ce1\n"
              "  tl 02:00:00:0a:0b:0d ce1\n");
}

TEST_F(ModelSeededLink, SegmentsAreSetAndRemovedByWellFormedExactName) {
    link_req request = interface_request("ce", 1, 0x20);
    ASSERT_EQ(send(ZLIOSSEG, &request), 0);
    EXPECT_EQ(device_.state().at("zl0").segments.at(1), (segment_state{"ce1", 100, 2, 0x20}));

    request = interface_request("ce", 0);
    EXPECT_EQ(send(ZLIODSEG, &request), 0);
    EXPECT_EQ(send(ZLIODSEG, &request), ENOENT);
    EXPECT_EQ(send(ZLIOSSEG, &request), ENOENT);
    request = interface_request("Ce", 1);
    EXPECT_EQ(send(ZLIOSSEG, &request), ENOENT) << "names match exactly";
    ASSERT_EQ(device_.state().at("zl0").segments.size(), 2U);
    EXPECT_EQ(device_.state().at("zl0").segments[0].name, "ce1");

    const std::string before = state();
    request = interface_request("ce", 16);
    EXPECT_EQ(send(ZLIOASEG, &request), EINVAL);
    request.unit = -1;
    EXPECT_EQ(send(ZLIOATL, &request), EINVAL);
    std::memcpy(request.name, "abcdefgh", 8);  // no NUL within the field
    request.unit = 0;
    EXPECT_EQ(send(ZLIOSSEG, &request), EINVAL);
    EXPECT_EQ(state(), before) << "malformed names change nothing";
}

TEST_F(ModelSeededLink, ValidatesLikeAKernel) {
    EXPECT_EQ(send(0x12345678), EINVAL);
    EXPECT_EQ(send(0x1'C0284C37UL), EINVAL) << "a code wider than 32 bits is not ZLIOGLINK";
    EXPECT_EQ(send(ZLIOGLINK, nullptr), EFAULT);
    EXPECT_EQ(send(ZLIOSMODE, nullptr), EFAULT);
    link_req request{};
    EXPECT_EQ(send(ZLIOGLINK, &request), EFAULT) << "null data";
    EXPECT_EQ(send(ZLIOELINK, nullptr), 0) << "requests without data ignore the argument";

    EXPECT_EQ(device_.ioctl(fd_ + 1, ZLIOELINK, nullptr), -1);
    EXPECT_EQ(errno, EBADF);
    EXPECT_EQ(device_.close(fd_), 0);
    EXPECT_EQ(device_.close(fd_), -1);
    EXPECT_EQ(errno, EBADF);
    EXPECT_EQ(send(ZLIOELINK), EBADF);
}

TEST_F(ModelRequests, OnlyLinkDevicesOpen) {
    EXPECT_GE(device_.open("/dev/zlumi8", 2), 0);
    for (const char* path : {"/dev/zl9", "/dev/zlumi", "/dev/zl0 ", "zl0", "/dev/zlumi10"}) {
        EXPECT_EQ(device_.open(path, 2), -1) << path;
        EXPECT_EQ(errno, ENOENT) << path;
    }
    EXPECT_EQ(device_.open(nullptr, 2), -1);
    EXPECT_EQ(errno, EFAULT);
}

}  // namespace
}  // namespace model
