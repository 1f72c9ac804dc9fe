// A link as JSON, one shape wherever a link is shown: what was read, what the
// driver holds afterwards, what zlsim show prints. The shape is described by
// schema/link.schema.json; kJsonSchema is its version.
#pragma once

#include <nlohmann/json.hpp>

#include "plan/link_snapshot.h"

namespace plan {

/// The top-level "schema" of every JSON document the companions print.
inline constexpr int kJsonSchema = 1;

/// {"name", "mode", "segments", "table_lookup"}; words as {"value", "hex", "bits"}.
nlohmann::ordered_json link_json(const link_snapshot& link);

}  // namespace plan
