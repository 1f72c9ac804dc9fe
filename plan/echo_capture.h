// Where the lexer's echo goes in a plan: zlconf copies characters that form
// no token to standard output; a plan keeps them, with where they stand, to
// warn about them, and keeps its own standard output for the plan.
#pragma once

#include <cstdint>
#include <optional>

#include "config/lexer.h"
#include "plan/link_plan.h"
#include "plan/plan_output.h"
#include "plan/source_window.h"

namespace plan {

class echo_capture final : public echo_observer {
public:
    /// Each run of adjacent characters goes to `out` once it is complete, or
    /// in pieces of kLongestIgnored bytes; the word it stands in is warned
    /// about when the run begins, once however many runs it holds.
    echo_capture(source_window& source, plan_output& out, whole_plan& plan)
        : source_(source), out_(out), plan_(plan) {}

    void echoed(char c, std::uint64_t at) override;

    /// Hands on the run still open.
    void finish();

    /// A longer word is named by its start only.
    static constexpr std::size_t kLongestWord = 64;

private:
    void warn(std::uint64_t at, const source_point& point, char c);
    void warn_at(const source_point& at, const std::string& text);

    source_window& source_;
    plan_output& out_;
    whole_plan& plan_;
    std::optional<ignored_text> run_;
    std::uint64_t last_ = UINT64_MAX;  // where the last character stood
    source_window::span word_;         // the word warned about last, as far as is known
    std::int64_t hash_line_ = 0;       // a line warned about as beginning with '#'
};

}  // namespace plan
