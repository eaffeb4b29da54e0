#pragma once

// The mains sweep: the design at mains 10 % and 5 % low, nominal, 5 % and 10 % high.

#include "engineering_checks.h"
#include "thermal_models.h"

#include <array>
#include <vector>

namespace ferrolux {

class ScaledLoad;

inline constexpr std::array<double, 5> kMainsPercents = {-10, -5, 0, 5, 10};

// At each percent p, f = 1 + p/100 scales the primary voltage, every secondary voltage and
// every secondary current (the loads act roughly as resistances), and the core loss by f².
// The hottest hot spot is NaN when the thermal check is unavailable (`thermalAvailable`).
std::vector<MainsPoint> mainsSweep(ScaledLoad &load, const ThermalGeometry &geometry,
                                   const ThermalInputs &inputs, bool thermalAvailable);

} // namespace ferrolux
