// A link as JSON, one shape wherever a link is shown: what was read, what the
// driver holds afterwards, what zlsim show prints. The shape is described by
// schema/link.schema.json; kJsonSchema is its version.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "link/link_snapshot.h"
#include "model/link_state.h"

namespace companion {

/// The top-level "schema" of every JSON document the companions print.
inline constexpr int kJsonSchema = 1;

/// A 32-bit word with its bits named: {"value", "hex", "bits"}.
nlohmann::ordered_json word_json(std::uint32_t value, const std::vector<std::string>& names);

/// The same word in a message: "0x00000110 (DYMXOR|ROUNDROBIN)", or the hex
/// alone when no bit is set.
std::string word_text(std::uint32_t value, const std::vector<std::string>& names);

/// {"name", "mode", "segments", "table_lookup"}; words as {"value", "hex", "bits"}.
nlohmann::ordered_json link_json(const link_snapshot& link);

/// {"schema": 1, "links": [{"link": device, "state": link object}]}, each link
/// as the driver reports it when read: what zlsim show and zlsave print.
std::string json_of_state(const model::driver_state& state);

}  // namespace companion
