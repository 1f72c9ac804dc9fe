// In-process benchmarks: the lexer alone, and the lexer, grammar and link
// description together against a driver that keeps nothing. Figures are
// printed, never asserted.
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/lexer.h"
#include "driver/device.h"
#include "driver/requests.h"
#include "session.h"

namespace {

// A driver without links that accepts every change and keeps none.
class sink_device final : public device {
public:
    int open(const char*, int) override { return 3; }
    int ioctl(int, unsigned long request, void*) override {
        if (request != ZLIOGLINK) return 0;
        errno = ENXIO;
        return -1;
    }
    int close(int) override { return 0; }
};

// Deterministic bits, so that every run sees the same input.
struct random_bits {
    explicit random_bits(unsigned seed) : state(seed) {}
    unsigned next() {
        state = state * 1103515245U + 12345U;
        return state >> 8;
    }
    unsigned state;
};

const char* const kModes[] = {"rr", "xor", "fo", "so", "dym"};
const char* const kSegmentOptions[] = {"standby",     "trunk",       "diffaddr",
                                       "speed 100bt", "duplex full", "speed auto"};

std::string interface_name(random_bits& rng, int bound = 0) {
    static const char* const kFamilies[] = {"ce",  "kce", "tce",  "zce",
                                            "zme", "zre", "zwce", "zwre"};
    const unsigned n = bound > 0 ? rng.next() % static_cast<unsigned>(bound) : rng.next();
    return std::string(kFamilies[n % 8]) + "0123456789abcdef"[(n / 8) % 16];
}

std::string address(random_bits& rng) {
    char text[18];
    std::snprintf(text, sizeof text, "%02x:%02x:%02x:%02x:%02x:%02x", rng.next() & 0xFF,
                  rng.next() & 0xFF, rng.next() & 0xFF, rng.next() & 0xFF, rng.next() & 0xFF,
                  rng.next() & 0xFF);
    return text;
}

// The shapes of bench/generate.py, smaller: many small blocks; one block of
// many statements; mostly comments and blanks.
std::string generate(const std::string& shape, std::size_t bytes) {
    random_bits rng(1);
    std::string text;
    if (shape == "statements") text += "zl zl0\n";
    while (text.size() < bytes) {
        if (shape == "blocks") {
            text += "^# rack " + std::to_string(rng.next() % 100) + " uplink pair\nzl zl" +
                    std::to_string(rng.next() % 9) + "\n  " + kModes[rng.next() % 5] + "\n";
            const std::string first = interface_name(rng);
            text += "  seg " + first + " " + kSegmentOptions[rng.next() % 6] + " ;\n";
            text += "  seg " + interface_name(rng) + " ;\n";
            text += "  tl " + address(rng) + " " + first + "\nend\n\n";
        } else if (shape == "statements") {
            const unsigned r = rng.next() % 10;
            if (r < 2) {
                text += std::string("  ") + kModes[rng.next() % 5] + "\n";
            } else if (r < 5) {
                text += "  segment " + interface_name(rng, 48) + "\n    " +
                        kSegmentOptions[rng.next() % 6] + "\n  end\n";
            } else {
                text += "  tl " + address(rng) + " " + interface_name(rng, 48) + "\n";
            }
        } else {
            if (rng.next() % 16 == 0) text += "zl zl1 seg ce0 ; end\n";
            text +=
                std::string(rng.next() % 12, ' ') + "^# note " + std::to_string(rng.next()) + "\n";
            text += std::string(rng.next() % 40, ' ') + "\n\t\t  ^#----------------------\n";
        }
    }
    if (shape == "statements") text += "end\n";
    if (shape == "comments") text += "zl zl1 end\n";
    return text;
}

void lexer_alone(benchmark::State& state, const std::string& shape) {
    const std::string text = generate(shape, 8 << 20);
    std::FILE* out = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        text_source input(text);
        lexer lex(input, out);
        int tokens = 0;
        while (lex.yylex() != END_OF_INPUT) ++tokens;
        benchmark::DoNotOptimize(tokens);
    }
    std::fclose(out);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void whole_parse(benchmark::State& state, const std::string& shape) {
    const std::string text = generate(shape, 8 << 20);
    std::FILE* out = std::fopen("/dev/null", "w");
    sink_device driver;
    for (auto _ : state) {
        text_source input(text);
        session run(input, out, driver);
        if (run.parse(out) != 0) state.SkipWithError("parse failed");
    }
    std::fclose(out);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

}  // namespace

BENCHMARK_CAPTURE(lexer_alone, blocks, std::string("blocks"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(lexer_alone, statements, std::string("statements"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(lexer_alone, comments, std::string("comments"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(whole_parse, blocks, std::string("blocks"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(whole_parse, statements, std::string("statements"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(whole_parse, comments, std::string("comments"))->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
