#pragma once

// How a secondary's load current moves when the checks scale the mains and the load: by
// default the loads act as resistances (the current follows the mains and the load scale);
// a secondary with a simulated supply follows its simulation instead.

#include <functional>
#include <vector>

namespace ferrolux {

// The secondary's current at mains `voltageFactor` times nominal and its load times
// `loadScale`, relative to the current at nominal mains and load.
using WindingCurrentModel = std::function<double(double voltageFactor, double loadScale)>;

// One per secondary, in the design's order; an empty or missing entry is the default,
// voltageFactor · loadScale.
using WindingCurrentModels = std::vector<WindingCurrentModel>;

} // namespace ferrolux
