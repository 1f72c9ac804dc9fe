// The configuration text held whole, so that a plan can say where things
// stand (line and column) and quote the line of a syntax error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/byte_source.h"
#include "plan/link_plan.h"

namespace plan {

class source_text {
public:
    explicit source_text(std::string text);

    /// Line and column (both from 1, the column in bytes) of a byte offset.
    source_point point_at(std::uint64_t offset) const;
    /// The text of a line without its line end.
    std::string_view line(int number) const;
    /// Where a line starts; the end of the text for a line past the last.
    std::uint64_t line_start(int number) const;
    const std::string& text() const { return text_; }

private:
    std::string text_;
    std::vector<std::size_t> line_starts_;
};

/// Hands the lexer the text, as zlconf's lexer reads a file.
class source_bytes final : public byte_source {
public:
    explicit source_bytes(std::string_view text) : text_(text) {}
    std::size_t read_some(char* buffer, std::size_t capacity) override;

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace plan
