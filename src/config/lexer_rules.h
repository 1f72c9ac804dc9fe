// The configuration language's token rules as one table. Every rule text but
// ":" and ";" is made of word characters (0-9, a-z), so a rule text never runs
// past the end of a word; the table holds each such text, and each beginning of
// one, keyed by its bytes. The lexer's longest match is then the longest
// beginning of the word at hand that the table marks as a rule text.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

/// The longest rule text.
inline constexpr std::size_t kLongestRuleText = 11;

/// What the table knows of one text of word characters.
struct rule_text {
    std::uint64_t low = 0;    // the text's first eight bytes as they lie in memory; 0: empty slot
    std::uint32_t high = 0;   // its bytes after the eighth, at most three
    std::int16_t token = 0;   // the token whose rule text it is; 0 when it is no rule's text
    std::int16_t number = 0;  // what the token carries: a HEX token's value, a keyword's code
};
static_assert(sizeof(rule_text) == 16, "one lookup touches one cache line");

class rule_table {
public:
    /// Built at compile time: the table is a constant of the program.
    constexpr rule_table() noexcept;

    /// The entry of the `length` bytes at `text`, or null when no rule text
    /// begins with them. Reads 12 bytes at `text` whatever the length, which
    /// is at most kLongestRuleText.
    const rule_text* find(const unsigned char* text, std::size_t length) const {
        std::uint64_t low;
        std::uint32_t high;
        key_of(text, length, low, high);
        for (std::size_t slot = slot_of(low, high);; slot = (slot + 1) % kSlots) {
            const rule_text& entry = slots_[slot];
            if (entry.low == low && entry.high == high) return &entry;
            if (entry.low == 0) return nullptr;
        }
    }

    /// Whether some longer rule text begins with the text of `entry`.
    bool extends(const rule_text& entry) const {
        const auto slot = static_cast<std::size_t>(&entry - slots_.data());
        return ((extends_[slot / 64] >> (slot % 64)) & 1U) != 0;
    }

private:
    static constexpr std::size_t kSlots = 4096;

    // The text's bytes, those past `length` cleared, as two words; the same
    // on any byte order, since both the table and the lexer key texts this way.
    static void key_of(const unsigned char* text, std::size_t length, std::uint64_t& low,
                       std::uint32_t& high) {
        static constexpr std::array<unsigned char, 32> kOnes = {
            0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
            0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};  // then sixteen zeros
        std::uint64_t low_mask;
        std::uint32_t high_mask;
        std::memcpy(&low, text, sizeof low);
        std::memcpy(&high, text + sizeof low, sizeof high);
        std::memcpy(&low_mask, kOnes.data() + 16 - length, sizeof low_mask);
        std::memcpy(&high_mask, kOnes.data() + 24 - length, sizeof high_mask);
        low &= low_mask;
        high &= high_mask;
    }

    static constexpr std::size_t slot_of(std::uint64_t low, std::uint32_t high) {
        const std::uint64_t mixed = (low ^ (std::uint64_t{high} << 29)) * 0x9E3779B97F4A7C15U;
        return static_cast<std::size_t>(mixed >> 52);  // the top 12 bits: 4096 slots
    }

    // The key of the first `length` bytes of `text` as key_of makes it, in a
    // way that a constant expression may compute.
    static constexpr void constant_key_of(const char* text, std::size_t length, std::uint64_t& low,
                                          std::uint32_t& high) {
        low = 0;
        high = 0;
        const bool little = std::endian::native == std::endian::little;
        for (std::size_t i = 0; i < length; ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (i < sizeof low) {
                low |= std::uint64_t{byte} << (8 * (little ? i : sizeof low - 1 - i));
            } else {
                const std::size_t lane = i - sizeof low;
                high |= std::uint32_t{byte} << (8 * (little ? lane : sizeof high - 1 - lane));
            }
        }
    }

    constexpr void add(const char* text, std::size_t length, int token);

    std::array<rule_text, kSlots> slots_{};
    std::array<std::uint64_t, kSlots / 64> extends_{};  // a bit for each slot
};

extern const rule_table kRules;
