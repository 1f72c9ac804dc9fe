#include "plan/written_word.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "config/keywords.h"
#include "config/word_tokens.h"
#include "model/name_text.h"
#include "text/formatting.h"

namespace plan {

namespace {

// Whether `form` shortens its keyword ("del", "tl"), rather than being it or
// another word for it ("close", "xor"): a shortening is never the better
// suggestion.
constexpr bool is_abbreviation(const keyword_form& form) {
    const std::string_view whole = long_form(form.tok);
    return form.text.size() <= 2 || (form.text != whole && whole.starts_with(form.text));
}

bool ends_word(char c) {
    return c == ' ' || c == '\t' || c == ';' || c == '\r' || c == '\n';
}

std::string lower_case(std::string_view word) {
    std::string out(word);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// A longer word is no keyword misspelt: the longest is 11 bytes, and at most
// two edits are allowed.
constexpr std::size_t kLongestNear = 16;

// Edits between two short words, a swap of neighbours counting as one: three
// rows of the table at a time, on the stack.
std::size_t distance(std::string_view a, std::string_view b) {
    std::array<std::array<std::uint8_t, kLongestNear + 1>, 3> rows;
    const auto row = [&](std::size_t i) -> std::array<std::uint8_t, kLongestNear + 1>& {
        return rows[i % 3];
    };
    for (std::size_t j = 0; j <= b.size(); ++j) row(0)[j] = static_cast<std::uint8_t>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        auto& d = row(i);
        const auto& up = row(i - 1);
        d[0] = static_cast<std::uint8_t>(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            int best = std::min({up[j] + 1, d[j - 1] + 1, up[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                best = std::min(best, row(i - 2)[j - 2] + 1);
            }
            d[j] = static_cast<std::uint8_t>(best);
        }
    }
    return row(a.size())[b.size()];
}

struct piece {
    std::string text;
    bool ignored = false;
};

// A NUL would end the lexer's input, and a long word could make a scan
// past the lexer's limit: such a word is shown as ignored.
constexpr std::size_t kLongestCut = 256;

// Cuts a word as zlconf's lexer cuts it in a line, into tokens and the
// characters between them that it ignores: the word is followed by a line
// end, as the last on its line is.
std::vector<piece> pieces_of(std::string_view word) {
    const auto tokens =
        word.size() > kLongestCut ? std::nullopt : tokens_of(std::string(word) + "\n;");
    if (!tokens) return {{std::string(word), true}};
    std::vector<piece> pieces;
    std::size_t at = 0;
    const auto ignored_up_to = [&](std::size_t to) {
        if (to > at) pieces.push_back({std::string(word.substr(at, to - at)), true});
    };
    for (const word_token& t : *tokens) {
        if (t.offset >= word.size()) break;
        ignored_up_to(t.offset);
        const std::size_t length = std::min(t.length, word.size() - t.offset);
        const std::string text(word.substr(t.offset, length));
        // Tokens side by side read as one: `00:1b` rather than `00`, `:`, `1b`.
        if (!pieces.empty() && !pieces.back().ignored && t.offset == at) {
            pieces.back().text += text;
        } else {
            pieces.push_back({text, false});
        }
        at = t.offset + length;
    }
    ignored_up_to(word.size());
    return pieces;
}

bool all_read(const std::vector<piece>& pieces) {
    return std::none_of(pieces.begin(), pieces.end(), [](const piece& p) { return p.ignored; });
}

}  // namespace

written_word word_at(std::string_view line, int column) {
    const auto at = static_cast<std::size_t>(std::max(column, 1) - 1);
    if (at >= line.size() || ends_word(line[at])) return {};
    std::size_t start = at;
    while (start > 0 && !ends_word(line[start - 1])) --start;
    std::size_t end = at;
    while (end < line.size() && !ends_word(line[end])) ++end;
    return {std::string(line.substr(start, end - start)), static_cast<int>(start) + 1};
}

std::string nearest_keyword(std::string_view word) {
    if (word.size() > kLongestNear) return {};
    const std::string lower = lower_case(word);
    std::string best;
    std::size_t best_distance = 3;
    // Whole words only: an abbreviation is never the better suggestion.
    for (const keyword_form& form : kKeywordForms) {
        if (is_abbreviation(form)) continue;
        const std::string_view k = form.text;
        const std::size_t allowed = k.size() >= 6 ? 2 : 1;
        // Words whose lengths differ by more are further apart than allowed.
        if (lower.size() > k.size() + allowed || k.size() > lower.size() + allowed) continue;
        const std::size_t d = distance(lower, k);
        if (d <= allowed && d < best_distance) {
            best = k;
            best_distance = d;
        }
    }
    return best;
}

namespace {

std::string warning_for(std::string_view word) {
    const std::vector<piece> pieces = pieces_of(word);
    std::string out = quoted(model::name_for_display(word), "`", "`") + " ";
    if (pieces.size() == 1 && pieces.front().ignored) {
        out += "is ignored";
    } else {
        out += "is read as ";
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (i > 0) out += " followed by ";
            out += "`" + pieces[i].text + "`";
            if (pieces[i].ignored)
                out += i + 1 < pieces.size() ? ", which is ignored," : ", which is ignored";
        }
    }
    const std::string lower = lower_case(word);
    const bool upper = lower != word;
    if (upper) out += "; keywords, names and addresses are lower case";
    std::string meant = upper && all_read(pieces_of(lower)) ? lower : nearest_keyword(word);
    if (!meant.empty()) out += "; did you mean `" + meant + "`?";
    return out;
}

}  // namespace

// A file that goes wrong tends to go wrong the same way many times: the
// warnings of the words seen last are kept, a bounded number of them.
std::string ignored_word_warning(std::string_view word) {
    constexpr std::size_t kRemembered = 4096;
    static std::unordered_map<std::string, std::string> remembered;
    const std::string key(word);
    if (const auto found = remembered.find(key); found != remembered.end()) return found->second;
    if (remembered.size() == kRemembered) remembered.clear();
    return remembered.emplace(key, warning_for(word)).first->second;
}

}  // namespace plan
