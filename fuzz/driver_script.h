// The part of a whole-run fuzz input after the configuration: the stand-in
// driver's starting state, the failures to inject and how the input is handed
// to the lexer. Every byte string decodes to some script, so that the fuzzer's
// mutations never go to waste; seeds are made with the encoder.
//
// A fuzz input is the configuration text, then a NUL byte (where the lexer
// stops reading), then the script's bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/link_state.h"

struct driver_script {
    std::size_t piece = std::string::npos;  // bytes per read of the configuration
    std::string failures;                   // failure rules, as failure_plan parses them
    model::driver_state state;
};

driver_script decode_driver_script(std::string_view bytes);

/// The bytes that decode to `script`. Throws std::invalid_argument for a
/// failure rule that the decoder cannot express.
std::string encode_driver_script(const driver_script& script);

/// Splits a fuzz input at its first NUL: the configuration, and what follows.
std::pair<std::string_view, std::string_view> split_fuzz_input(std::string_view input);
