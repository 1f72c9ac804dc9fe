// Failures to inject, so that tests can see how the tool copes with a driver
// that refuses. Written as comma-separated rules:
//
//   ZLIOCLINK:1:EBUSY   the first ZLIOCLINK of the run fails with EBUSY
//   ZLIOSSEG:*:EIO      every ZLIOSSEG fails with EIO
//   open:zl3:ENOENT     opening /dev/zl3 fails with ENOENT
//   ZLIOSSEG:removed:ENOENT
//                       the ZLIOSSEG that follows the removal of its segment
//                       fails with ENOENT, as a driver that keeps nothing of a
//                       removed segment would answer it
//
// Occurrences of a request are counted over the whole run, across links. The
// error is a symbol such as EBUSY or a decimal number. When several rules
// match, the first one wins. An injected failure leaves the driver unchanged.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace model {

class failure_rule_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class failure_plan {
public:
    failure_plan() = default;

    // Throws failure_rule_error naming the bad rule. An empty text is no failures.
    static failure_plan parse(std::string_view rules);

    // Counts one more occurrence of the request and returns the error to
    // inject for it, or 0 for none.
    int on_request(std::uint32_t code);

    // The error to inject when the device is opened, or 0 for none.
    int on_open(std::string_view device) const;

    // The error for a ZLIOSSEG of a segment just removed, or 0 to accept it.
    int on_removed_segment() const { return removed_segment_error_; }

private:
    struct request_rule {
        std::uint32_t code;
        std::uint64_t occurrence;  // 1-based; 0 for every occurrence
        int error;
    };
    struct open_rule {
        std::string device;
        int error;
    };

    void add_rule(std::string_view rule);

    std::vector<request_rule> request_rules_;
    std::vector<open_rule> open_rules_;
    int removed_segment_error_ = 0;
    std::map<std::uint32_t, std::uint64_t> occurrences_;
};

}  // namespace model
