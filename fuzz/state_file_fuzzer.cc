// Fuzzes the stand-in driver's state file: whatever text parses reads back,
// once written in the canonical form, as the same driver state, and that
// form is written again unchanged. A name holding a NUL byte, which no
// request could reach, is never accepted.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "model/state_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    model::driver_state state;
    try {
        state = model::parse_state(text);
    } catch (const model::state_file_error&) {
        return 0;
    }
    for (const auto& [device, link] : state) {
        bool nul = link.record_name.find('\0') != std::string::npos;
        for (const model::segment_state& s : link.segments)
            nul |= s.name.find('\0') != std::string::npos;
        for (const model::lookup_entry& e : link.entries)
            nul |= e.ifname.find('\0') != std::string::npos;
        fuzz_check(!nul, "no NUL in a name", device);
    }
    const std::string written = model::format_state(state);
    model::driver_state again;
    try {
        again = model::parse_state(written);
    } catch (const model::state_file_error& error) {
        fuzz_check(false, "the canonical text parses", error.what());
    }
    fuzz_check(again == state, "the canonical text reads back as the same state", written);
    fuzz_check(model::format_state(again) == written, "the canonical text is a fixed point",
               written);
    return 0;
}
