#pragma once

// The rectifier's published limits against what the simulation found: every limit of the
// valve's or diode's data sheet that the supply breaks is flagged.

#include "supply_circuit.h"
#include "supply_simulation.h"

#include <string>
#include <string_view>
#include <vector>

namespace ferrolux {

struct LimitCheck
{
    std::string_view key;   // "piv", "dc_current", ... (the JSON name)
    std::string_view title; // for people
    double value = 0;       // what the supply does
    double limit = 0;       // what the sheet allows
    bool minimum = false;   // the limit is a least value (the supply impedance)
    bool broken = false;
};

// The checks that apply to the supply's rectifier: none for a diode given by its law.
std::vector<LimitCheck> supplyLimits(const SupplyCircuit &supply, const SupplyFigures &steady,
                                     const SwitchOnFigures &switchOn);

} // namespace ferrolux
