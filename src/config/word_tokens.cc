#include "config/word_tokens.h"

#include <cstdint>

#include "config/byte_source.h"
#include "config/lexer.h"
#include "run_failure.h"

namespace {

class no_echo final : public echo_observer {
    void echoed(char, std::uint64_t) override {}
};

}  // namespace

std::optional<std::vector<word_token>> tokens_of(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) return std::nullopt;
    text_source bytes(text);
    no_echo echo;
    std::int64_t lines = 1;
    // The limit's message has no stream to go to: the failure says enough.
    lexer lex(bytes, nullptr, echo, lines);
    std::vector<word_token> tokens;
    try {
        while (const int tok = lex.yylex()) {
            tokens.push_back({tok, static_cast<std::size_t>(lex.token_offset()),
                              static_cast<std::size_t>(lex.yyleng())});
        }
    } catch (const run_failure&) {
        return std::nullopt;
    }
    return tokens;
}

bool reads_as(std::string_view text, int token) {
    const auto tokens = tokens_of(text);
    return tokens && tokens->size() == 1 && (*tokens)[0].token == token &&
           (*tokens)[0].offset == 0 && (*tokens)[0].length == text.size();
}
