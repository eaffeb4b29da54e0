#pragma once

// The load scale at the class limit: how far every secondary current may be multiplied before
// the hottest model's hot spot reaches the insulation class's limit.

#include "engineering_checks.h"
#include "thermal_models.h"

#include <optional>

namespace ferrolux {

class ScaledLoad;

inline constexpr double kLoadScaleStep = 0.01;
inline constexpr int kLoadScaleSteps = 10000; // up to a scale of 100

// The smallest k in (0, 100] at which the hottest hot spot reaches the class limit, found by
// a scan in steps of 0.01 and a bisection inside the first step that crosses, to a relative
// 1e-6; 0 when the core loss alone reaches the limit; nullopt when no k up to 100 does.
std::optional<double> loadScaleAtClassLimit(ScaledLoad &load, const ThermalGeometry &geometry,
                                            const ThermalInputs &inputs);

} // namespace ferrolux
