// A syntax error in words: what came, where the parser stood, what could have
// come instead, with keywords as the file writes them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/parser.h"

namespace plan {

/// How a token is written: "standby", "end", "a link name", "end of input".
std::string written_form(int token);

/// The written forms of the tokens in an expected-token mask, in the order a
/// reader looks for them: link statements, segment statements, values, names,
/// and "end" last.
std::vector<std::string> expected_forms(std::uint32_t expected);

/// "unexpected 'standby' in a link block; expected one of: add, delete, ..., end"
std::string syntax_message(const syntax_error_report& report);

/// A hint for a statement written at the wrong level, or empty.
std::string syntax_hint(const syntax_error_report& report);

/// The source line and under it a caret at `column`, each ending in a newline.
/// Tabs before the column are kept, so the caret lines up.
std::string caret_lines(std::string_view line, int column);

}  // namespace plan
