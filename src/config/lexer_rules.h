// The configuration language's token rules, and the automaton built from them
// at compile time. Blanks, comments and newlines are not in the automaton: the
// lexer recognises them by their first character, which no other rule shares.
#pragma once

#include <array>
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

const lexer_table& lexer_rules();
