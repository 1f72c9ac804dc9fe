#include "plan/written_word.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "config/byte_source.h"
#include "config/lexer.h"
#include "text/quoted.h"

namespace plan {

namespace {

bool ends_word(char c) {
    return c == ' ' || c == '\t' || c == ';' || c == '\r' || c == '\n';
}

// The long forms only: a short form is never the better suggestion.
constexpr std::array<const char*, 28> kKeywords = {
    "zelnar",     "link",      "add",      "delete",   "dstroute", "dynamic",     "fallover",
    "roundrobin", "spillover", "dumpinfo", "sameaddr", "diffaddr", "tablelookup", "standby",
    "speed",      "duplex",    "100bt",    "10bt",     "auto",     "half",        "full",
    "trunk",      "segment",   "end",      "open",     "close",    "xor",         "dym"};

std::string lower_case(std::string_view word) {
    std::string out(word);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Edits between two words, a swap of neighbours counting as one.
std::size_t distance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

struct piece {
    std::string text;
    bool ignored = false;
};

// The word cut as zlconf's lexer cuts it: tokens, and the characters between
// them that it copies out and ignores.
std::vector<piece> pieces_of(std::string_view word) {
    std::vector<piece> pieces;
    char* echoed = nullptr;
    std::size_t echoed_size = 0;
    std::FILE* echo = open_memstream(&echoed, &echoed_size);
    if (echo == nullptr) return {{std::string(word), true}};
    text_source bytes(word);
    {
        lexer lex(bytes, echo);
        std::size_t at = 0;
        const auto ignored_up_to = [&](std::size_t end) {
            if (end > at) pieces.push_back({std::string(word.substr(at, end - at)), true});
        };
        while (lex.yylex() != 0) {
            const auto start = static_cast<std::size_t>(lex.token_offset());
            ignored_up_to(start);
            // Tokens side by side read as one: `00:1b` rather than `00`, `:`, `1b`.
            if (!pieces.empty() && !pieces.back().ignored && start == at) {
                pieces.back().text += lex.yytext();
            } else {
                pieces.push_back({lex.yytext(), false});
            }
            at = start + static_cast<std::size_t>(lex.yyleng());
        }
        ignored_up_to(word.size());
    }
    std::fclose(echo);
    std::free(echoed);
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
    const std::string lower = lower_case(word);
    std::string best;
    std::size_t best_distance = 3;
    for (const char* keyword : kKeywords) {
        const std::string_view k(keyword);
        const std::size_t allowed = k.size() >= 6 ? 2 : 1;
        const std::size_t d = distance(lower, k);
        if (d <= allowed && d < best_distance) {
            best = keyword;
            best_distance = d;
        }
    }
    return best;
}

std::string ignored_word_warning(std::string_view word) {
    const std::vector<piece> pieces = pieces_of(word);
    std::string out = quoted(word, "`", "`") + " ";
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

}  // namespace plan
