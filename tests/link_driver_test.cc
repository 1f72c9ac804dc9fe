// Reading, committing and printing links against the in-memory stand-in
// driver, through the tool's device seam. Request order is covered by the
// transcripts; these tests look at the description and the failures.
#include "session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/byte_source.h"
#include "model/model_device.h"
#include "model/state_file.h"
#include "run_failure.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;

class LinkDriver : public testing::Test {
protected:
    void use_driver(const std::string& state, const std::string& failures = "",
                    model::fill_policy fill = model::fill_policy::varied) {
        run_.reset();
        driver_.emplace(model::parse_state(state), model::failure_plan::parse(failures), fill);
        run_.emplace(no_input_, stdout, *driver_);
    }
    session& run() { return *run_; }
    std::vector<std::string> log() const { return driver_->log_lines(); }

    // The message and status of the failure that `action` ends the run with.
    template <typename Action>
    std::string failure_of(Action action, int status = 1) {
        try {
            action();
        } catch (const run_failure& failure) {
            EXPECT_EQ(failure.status(), status);
            EXPECT_EQ(failure.stream(), stderr);
            return failure.message();
        }
        ADD_FAILURE() << "the run went on";
        return "";
    }

    std::optional<model::model_device> driver_;
    text_source no_input_{""};
    std::optional<session> run_;
};

constexpr const char* kThreeSegmentsTwoEntries = R"(
link zl3
  name bond-three
  mode 0x80000120
  segment ce0 speed 100 duplex 2 state 0x00050111
  segment zwce12 speed 10 duplex 1 state 0x000a0121
  segment tcef speed 100 duplex 2 state 0x00000110
  tl 02:00:00:0a:0b:0c ce0
  tl 02:00:00:0a:0b:0d zwce12
)";

TEST_F(LinkDriver, InternalChecks) {
    use_driver("");
    EXPECT_EQ(failure_of([this] { run().getlinkinfo(); }), "\tZLC\t\t 1084 internal error ");
    EXPECT_EQ(failure_of([this] { run().link_opt_dumpinfo(); }), "\tZLC\t\t 639 internal error \n");
    EXPECT_THAT(log(), testing::IsEmpty());
}

// Whatever the driver leaves in the bytes its records leave open, the tool
// marks every entry it read as installed, so that the commit does not send it
// again, and keeps the name that the driver wrote.
TEST_F(LinkDriver, ReadingMarksEntriesInstalledAndKeepsTheDriversName) {
    for (const auto fill :
         {model::fill_policy::zeros, model::fill_policy::a5, model::fill_policy::varied}) {
        use_driver(kThreeSegmentsTwoEntries, "", fill);
        for (int read = 0; read < 3; ++read) {  // the varied fill differs from read to read
            run().set_linkname("zl3");
            EXPECT_STREQ(run().zl->name, "bond-three");
            std::vector<std::int32_t> installed;
            for (const ttl_entry* entry = run().zl->ttls; entry != nullptr; entry = entry->next)
                installed.push_back(entry->installed);
            EXPECT_THAT(installed, ElementsAre(1, 1));
            run().close_link();
        }
        EXPECT_THAT(
            driver_->log(),
            testing::Not(testing::Contains(testing::Field(&model::request_record::code, ZLIOATL))));
    }
}

// A name the driver reports may not fit a request: it is never cut short (that
// would name another interface), and never overruns the request.
TEST_F(LinkDriver, NamesThatDoNotFitARequestAreNotSent) {
    const std::string name64(64, 'q');
    use_driver(
        "link zl0\n"
        "  segment ce0 state 0x111\n"
        "  segment verylong1 state 0x111\n"
        "  segment " +
        name64 +
        " state 0x111\n"
        "  segment eightch1 state 0x111\n");
    run().set_linkname("zl0");
    testing::internal::CaptureStderr();
    run().close_link();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err,
              "zlconf: interface name \"verylong1\" does not fit a request (1 to 8 characters); "
              "not sent\n"
              "zlconf: interface name \"" +
                  name64 + "\" does not fit a request (1 to 8 characters); not sent\n");
    EXPECT_THAT(
        log(),
        ElementsAre("open /dev/zl0 flags=0x2 -> ok", "zl0 ZLIOGLINK -> ok", HasSubstr("ZLIOGSEG"),
                    HasSubstr("ZLIOGSEG"), HasSubstr("ZLIOGSEG"), HasSubstr("ZLIOGSEG"),
                    "zl0 ZLIOSSEG name=ce unit=0 flags=0x00000111 -> ok",
                    "zl0 ZLIOSSEG name=eightch unit=1 flags=0x00000111 -> ok",
                    "zl0 ZLIOSMODE flags=0x00000001 -> ok", "zl0 ZLIOELINK -> ok", "close zl0"));
}

// The unit of every byte a driver may report last in a name: '1' to '?' and
// 'a' to 'f' count from their place in these rows, every other byte is 0.
TEST_F(LinkDriver, EveryLastByteOfANameGivesItsUnit) {
    constexpr std::string_view kFromZero = "0123456789:;<=>?";
    constexpr std::string_view kFromTen = "abcdef";
    model::driver_state state;
    model::link_state& link = state["zl0"];
    link.record_name = "zl0";
    for (int byte = 1; byte <= 255; ++byte) {
        link.segments.push_back({std::string("ce") + static_cast<char>(byte), 100, 2, 0x111});
    }
    driver_.emplace(state);
    run_.emplace(no_input_, stdout, *driver_);
    run().set_linkname("zl0");
    run().close_link();

    std::vector<std::int32_t> units;
    for (const model::request_record& r : driver_->log()) {
        if (r.code == ZLIOSSEG) units.push_back(*r.fields->unit);
    }
    ASSERT_EQ(units.size(), 255U);
    for (int byte = 1; byte <= 255; ++byte) {
        const char last = static_cast<char>(byte);
        const std::size_t from_zero = kFromZero.find(last);
        const std::size_t from_ten = kFromTen.find(last);
        const auto unit = from_zero != std::string_view::npos  ? from_zero
                          : from_ten != std::string_view::npos ? 10 + from_ten
                                                               : 0;
        EXPECT_EQ(units[static_cast<std::size_t>(byte - 1)], static_cast<std::int32_t>(unit))
            << "last byte 0x" << std::hex << byte;
    }
}

TEST_F(LinkDriver, ReportPrintsNamesNoFurtherThanTheirField) {
    const std::string name64(64, 'n');
    use_driver("link zl0\n  name " + name64 + "\n  segment ce0 speed 100 duplex 2 state 0x111\n");
    run().set_linkname("zl0");
    testing::internal::CaptureStderr();
    run().link_opt_dumpinfo();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Zelnar " + name64 +
                  "   mode 0x00000001\n"
                  "  Segment ce0 speed 100 duplex 2 state 0x00000111\n");
}

}  // namespace
