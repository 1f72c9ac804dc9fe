#include "lexer_rules.h"

#include <bit>
#include <string_view>

#include "tokens.h"

namespace {

struct char_set {
    std::array<std::uint64_t, 4> bits{};

    constexpr void add(unsigned char c) { bits[c / 64] |= std::uint64_t{1} << (c % 64); }
    constexpr bool has(unsigned char c) const { return (bits[c / 64] >> (c % 64)) & 1U; }
    constexpr bool operator==(const char_set&) const = default;
};

constexpr char_set one_of(std::string_view chars) {
    char_set set;
    for (char c : chars) set.add(static_cast<unsigned char>(c));
    return set;
}

constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kHexDigits = "0123456789abcdef";
constexpr std::string_view kLinkUnits = "012345678";

struct keyword {
    token tok;
    std::string_view text;
};

// Every written form of every keyword; several keywords have short forms.
constexpr keyword kKeywords[] = {
    {DSTROUTE, "dstroute"},
    {DSTROUTE, "xor"},
    {DYMXOR, "dynamic"},
    {DYMXOR, "dym"},
    {FALLOVER, "fallover"},
    {FALLOVER, "fo"},
    {ROUNDROBIN, "roundrobin"},
    {ROUNDROBIN, "rr"},
    {SPILLOVER, "spillover"},
    {SPILLOVER, "so"},
    {DUMPINFO, "dumpinfo"},
    {DUMPINFO, "di"},
    {ADD, "add"},
    {ADD, "open"},
    {DELETE, "delete"},
    {DELETE, "del"},
    {DELETE, "close"},
    {SAMEADDR, "sameaddr"},
    {DIFFADDR, "diffaddr"},
    {TBLLOOKUP, "tablelookup"},
    {TBLLOOKUP, "tl"},
    {STANDBY, "standby"},
    {SPEED, "speed"},
    {DUPLEX, "duplex"},
    {S100BT, "100bt"},
    {S10BT, "10bt"},
    {SAUTO, "auto"},
    {HALFDUX, "half"},
    {FULLDUX, "full"},
    {TRUNK, "trunk"},
    {ZELNAR, "zelnar"},
    {ZELNAR, "zl"},
    {ZELNAR, "link"},
    {SEGMENT, "segment"},
    {SEGMENT, "seg"},
    {END, "end"},
    {END, ";"},
    {COLON, ":"},
};

// A link name is one of these followed by one digit 0 to 8.
constexpr std::string_view kLinkFamilies[] = {"zl", "zlumi"};

// An interface name is one of these followed by one hexadecimal digit or two
// decimal digits.
constexpr std::string_view kInterfaceFamilies[] = {"ce",  "kce", "tce",  "zce",
                                                   "zme", "zre", "zwce", "zwre"};

struct pattern {
    token tok{};
    int length = 0;
    std::array<char_set, kLongestRuleText> at{};

    constexpr void append(const char_set& set) { at[static_cast<std::size_t>(length++)] = set; }
    constexpr void append(std::string_view literal) {
        for (char c : literal) append(one_of(std::string_view(&c, 1)));
    }
};

constexpr int kPatternCount =
    std::size(kKeywords) + std::size(kLinkFamilies) + 2 * std::size(kInterfaceFamilies) + 1;
static_assert(kPatternCount < 64, "a state keeps its live patterns in one 64-bit word");

constexpr std::array<pattern, kPatternCount> all_patterns() {
    std::array<pattern, kPatternCount> out{};
    std::size_t n = 0;
    for (const keyword& k : kKeywords) {
        out[n].tok = k.tok;
        out[n++].append(k.text);
    }
    for (std::string_view family : kLinkFamilies) {
        out[n].tok = LINKNAME;
        out[n].append(family);
        out[n++].append(one_of(kLinkUnits));
    }
    for (std::string_view family : kInterfaceFamilies) {
        out[n].tok = INTERFACENAME;
        out[n].append(family);
        out[n++].append(one_of(kHexDigits));
        out[n].tok = INTERFACENAME;
        out[n].append(family);
        out[n].append(one_of(kDigits));
        out[n++].append(one_of(kDigits));
    }
    out[n].tok = HEX;
    out[n].append(one_of(kHexDigits));
    out[n++].append(one_of(kHexDigits));
    return out;
}

// Bytes that every character set treats alike share a class.
constexpr void assign_classes(const std::array<pattern, kPatternCount>& patterns,
                              lexer_table& table, std::array<unsigned char, 256>& representative) {
    std::array<char_set, kPatternCount * kLongestRuleText> sets{};
    std::size_t set_count = 0;
    for (const pattern& p : patterns) {
        for (int i = 0; i < p.length; ++i) {
            const char_set& s = p.at[static_cast<std::size_t>(i)];
            bool known = false;
            for (std::size_t j = 0; j < set_count; ++j) known = known || sets[j] == s;
            if (!known) sets[set_count++] = s;
        }
    }
    std::array<std::array<std::uint64_t, 2>, lexer_table::kMaxClasses> signature{};
    table.classes = 1;  // class 0: bytes in no set
    for (int b = 0; b < 256; ++b) {
        std::array<std::uint64_t, 2> sig{};
        for (std::size_t j = 0; j < set_count; ++j) {
            if (sets[j].has(static_cast<unsigned char>(b)))
                sig[j / 64] |= std::uint64_t{1} << (j % 64);
        }
        if (sig[0] == 0 && sig[1] == 0) continue;
        int cls = 1;
        while (cls < table.classes && signature[static_cast<std::size_t>(cls)] != sig) ++cls;
        if (cls == table.classes) {
            if (table.classes == lexer_table::kMaxClasses) throw "too many byte classes";
            signature[static_cast<std::size_t>(cls)] = sig;
            representative[static_cast<std::size_t>(cls)] = static_cast<unsigned char>(b);
            ++table.classes;
        }
        table.byte_class[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(cls);
    }
}

// Finds the state of a live-pattern set at a depth, or makes it.
class state_index {
public:
    constexpr int find_or_add(lexer_table& table, std::uint64_t alive, int at_depth) {
        std::size_t slot = static_cast<std::size_t>(
            (alive * 0x9E3779B97F4A7C15U + static_cast<std::uint64_t>(at_depth)) >> 55);
        while (state_[slot] != 0) {
            const auto s = static_cast<std::size_t>(state_[slot]);
            if (live[s] == alive && depth[s] == at_depth) return state_[slot];
            slot = (slot + 1) % kSlots;
        }
        if (table.states == lexer_table::kMaxStates) throw "too many states";
        const int s = table.states++;
        live[static_cast<std::size_t>(s)] = alive;
        depth[static_cast<std::size_t>(s)] = at_depth;
        state_[slot] = s;
        return s;
    }

    std::array<std::uint64_t, lexer_table::kMaxStates> live{};
    std::array<int, lexer_table::kMaxStates> depth{};

private:
    static constexpr std::size_t kSlots = 512;
    std::array<int, kSlots> state_{};
};

constexpr lexer_table build_lexer_table() {
    const std::array<pattern, kPatternCount> patterns = all_patterns();
    lexer_table table;
    std::array<unsigned char, 256> representative{};
    assign_classes(patterns, table, representative);

    // A state is the set of patterns still alive after `depth` characters.
    state_index index;
    table.states = lexer_table::kStart;  // state 0 is the dead state
    index.find_or_add(table, (std::uint64_t{1} << kPatternCount) - 1, 0);

    for (int s = lexer_table::kStart; s < table.states; ++s) {
        const auto si = static_cast<std::size_t>(s);
        const std::uint64_t live = index.live[si];
        const int d = index.depth[si];
        std::array<std::uint64_t, lexer_table::kMaxClasses> alive{};
        for (int p = 0; p < kPatternCount; ++p) {
            if (!((live >> p) & 1U)) continue;
            const pattern& pat = patterns[static_cast<std::size_t>(p)];
            if (pat.length == d) {
                if (table.accept[si] != 0 && table.accept[si] != pat.tok)
                    throw "two rules match one text";
                table.accept[si] = static_cast<std::int16_t>(pat.tok);
                continue;
            }
            table.extends[si] = true;
            const char_set& set = pat.at[static_cast<std::size_t>(d)];
            for (int cls = 1; cls < table.classes; ++cls) {
                if (set.has(representative[static_cast<std::size_t>(cls)])) {
                    alive[static_cast<std::size_t>(cls)] |= std::uint64_t{1} << p;
                }
            }
        }
        for (int cls = 1; cls < table.classes; ++cls) {
            const std::uint64_t next_live = alive[static_cast<std::size_t>(cls)];
            if (next_live == 0) continue;
            table.next[si][static_cast<std::size_t>(cls)] =
                static_cast<std::uint8_t>(index.find_or_add(table, next_live, d + 1));
        }
    }
    return table;
}

// The bytes of a text in the order in which they lie in memory, as the lexer
// loads them: eight bytes, then four.
constexpr word_key key_of(const std::array<unsigned char, kLongestRuleText>& text, int length) {
    std::uint64_t low = 0;
    std::uint32_t high = 0;
    constexpr bool little = std::endian::native == std::endian::little;
    for (int i = 0; i < length; ++i) {
        const auto byte = text[static_cast<std::size_t>(i)];
        if (i < 8) {
            low |= std::uint64_t{byte} << (8 * (little ? i : 7 - i));
        } else {
            high |= std::uint32_t{byte} << (8 * (little ? i - 8 : 3 - (i - 8)));
        }
    }
    return {low, high | (static_cast<std::uint32_t>(length) << kLengthShift)};
}

constexpr void insert_word(word_table& table,
                           const std::array<unsigned char, kLongestRuleText>& text, int length,
                           token tok) {
    const word_key key = key_of(text, length);
    std::size_t slot = word_slot(key);
    for (;; slot = (slot + 1) % table.slots.size()) {
        const word_table::slot& s = table.slots[slot];
        if (s.token == 0) break;
        if (s.low == key.low && s.rest == key.rest) return;  // a second form
    }
    word_table::slot& s = table.slots[slot];
    s.low = key.low;
    s.rest = key.rest;
    s.token = static_cast<std::uint8_t>(tok - 256);
    s.number = static_cast<std::int16_t>(tok);
    if (tok == HEX) {
        auto digit = [](unsigned char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
        s.number = static_cast<std::int16_t>(digit(text[0]) * 16 + digit(text[1]));
    }
}

constexpr std::string_view kWordChars = "0123456789abcdefghijklmnopqrstuvwxyz";

// Every text of word characters that the pattern matches, from position `at`
// on; ":" and ";" are left to the automaton.
constexpr void insert_texts(word_table& table, const pattern& p, int at,
                            std::array<unsigned char, kLongestRuleText>& text) {
    if (at == p.length) {
        insert_word(table, text, at, p.tok);
        return;
    }
    for (const char c : kWordChars) {
        const auto byte = static_cast<unsigned char>(c);
        if (!p.at[static_cast<std::size_t>(at)].has(byte)) continue;
        text[static_cast<std::size_t>(at)] = byte;
        insert_texts(table, p, at + 1, text);
    }
}

constexpr word_table build_word_table() {
    word_table table;
    std::array<unsigned char, kLongestRuleText> text{};
    for (const pattern& p : all_patterns()) insert_texts(table, p, 0, text);
    return table;
}

}  // namespace

constexpr word_table kWordTable = build_word_table();

constexpr lexer_table kLexerTable = build_lexer_table();

const char* token_name(int code) {
    static constexpr const char* kNames[] = {
        "LINKNAME",  "INTERFACENAME", "DSTROUTE", "FALLOVER", "ROUNDROBIN", "SPILLOVER", "DUMPINFO",
        "DYMXOR",    "ADD",           "DELETE",   "SAMEADDR", "DIFFADDR",   "STANDBY",   "TRUNK",
        "TBLLOOKUP", "S100BT",        "S10BT",    "SAUTO",    "HALFDUX",    "FULLDUX",   "SPEED",
        "DUPLEX",    "ZELNAR",        "SEGMENT",  "END",      "HEX",        "COLON"};
    if (code == END_OF_INPUT) return "end of input";
    if (code < LINKNAME || code > COLON) return "?";
    return kNames[code - LINKNAME];
}
