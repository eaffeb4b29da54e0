#pragma once

// The supplies of a design's secondaries as the "supplies" array of the --json output: one
// object per secondary with a supply, holding its source, the keys --supply --json prints, and
// the failure when it could not be simulated.

#include "design_supply.h"

#include <nlohmann/json.hpp>
#include <vector>

namespace ferrolux {

nlohmann::ordered_json designSuppliesJson(const std::vector<DesignSupplyResult> &supplies);

} // namespace ferrolux
