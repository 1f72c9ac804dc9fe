// The configuration language's token rules, and the automaton built from them
// at compile time. Blanks, comments and newlines are not in the automaton: the
// lexer recognises them by their first character, which no other rule shares.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

/// A deterministic automaton over the rule texts. Every rule text is a short
/// sequence of character sets, so a state is "these rules are still alive after
/// k characters"; the longest match is the last accepting state passed.
struct lexer_table {
    static constexpr int kMaxStates = 256;
    static constexpr int kMaxClasses = 48;
    static constexpr std::uint8_t kDead = 0;
    static constexpr std::uint8_t kStart = 1;

    std::array<std::uint8_t, 256> byte_class{};  // class 0: in no rule
    std::array<std::array<std::uint8_t, kMaxClasses>, kMaxStates> next{};
    std::array<std::int16_t, kMaxStates> accept{};  // token code, 0 when the text is no rule's
    std::array<bool, kMaxStates> extends{};         // some rule text goes on from here
    int states = 0;
    int classes = 0;
};

/// The longest text of any rule in the automaton.
inline constexpr int kLongestRuleText = 11;

/// Built at compile time from the rule table.
extern const lexer_table kLexerTable;
inline const lexer_table& lexer_rules() {
    return kLexerTable;
}

/// Every complete rule text made only of word characters (0-9, a-z), keyed by
/// its bytes. When a whole word of the input is one of them, no longer rule
/// text can begin with the word, so the word is the longest match and its
/// token is found with one lookup instead of a walk through the automaton.
struct word_table {
    /// One text and its token in 16 bytes, so that a lookup touches one line.
    struct slot {
        std::uint64_t low = 0;   // the first eight bytes of the text
        std::uint32_t rest = 0;  // the bytes after the eighth, at most three, and the length
        std::uint8_t token = 0;  // the token's code less 256; 0 for an empty slot
        std::uint8_t unused = 0;
        std::int16_t number = 0;  // what the token carries: a HEX token's value, a keyword's code
    };
    static constexpr int kSlotBits = 12;
    std::array<slot, std::size_t{1} << kSlotBits> slots{};
};
static_assert(sizeof(word_table::slot) == 16);

/// The key of a text of `length` bytes (at most kLongestRuleText): its bytes as
/// they lie in memory, so that the lexer can load them with two plain reads,
/// and its length in the byte of the second read that no text reaches.
struct word_key {
    std::uint64_t low;
    std::uint32_t rest;
};

inline constexpr int kLengthShift = std::endian::native == std::endian::little ? 24 : 0;

constexpr std::size_t word_slot(const word_key& key) {
    const std::uint64_t rest = key.rest;
    const std::uint64_t mixed = key.low ^ (rest * 0xC2B2AE3D27D4EB4FU);
    return static_cast<std::size_t>((mixed * 0x9E3779B97F4A7C15U) >> (64 - word_table::kSlotBits));
}

extern const word_table kWordTable;
inline const word_table& word_rules() {
    return kWordTable;
}
