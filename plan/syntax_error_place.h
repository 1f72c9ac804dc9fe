// Where a syntax error stands. zlconf reads the rest of the input after the
// error, which moves the source window on; so the place is taken when the
// grammar meets the error, while the window still holds the error's line.
#pragma once

#include <cstdint>
#include <optional>

#include "config/parser.h"
#include "plan/link_plan.h"
#include "plan/source_window.h"

namespace plan {

class syntax_error_place final : public syntax_error_hook {
public:
    explicit syntax_error_place(const source_window& source) : source_(source) {}

    void at_error(const syntax_error_report& report) override;

    struct place {
        std::uint64_t offset = 0;  // of the token, from the start of the input
        source_point at;
        source_window::quote quote;
    };
    /// Taken at the error, if any.
    const std::optional<place>& taken() const { return taken_; }

private:
    const source_window& source_;
    std::optional<place> taken_;
};

}  // namespace plan
