// The words a user wrote, as zlconf reads them: a run of characters that
// forms no token is shown within its whole word, with what zlconf makes of
// that word and the keyword most likely meant.
#pragma once

#include <string>
#include <string_view>

namespace plan {

/// A word of a line: its text and its column (from 1).
struct written_word {
    std::string text;
    int column = 1;
};

/// The word of `line` that holds `column`: the bytes around it up to a blank,
/// a tab, a ';' or a carriage return. Empty when `column` is one of those.
written_word word_at(std::string_view line, int column);

/// The long keyword nearest to `word` (compared in lower case), or empty when
/// none is near enough to be the one meant.
std::string nearest_keyword(std::string_view word);

/// What zlconf makes of a word in which some characters form no token:
/// "`segmnet` is read as `seg` followed by `mnet`, which is ignored; did you
/// mean `segment`?"
std::string ignored_word_warning(std::string_view word);

}  // namespace plan
