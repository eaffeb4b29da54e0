#pragma once

// The supply of one secondary evaluated from the design's figures: the source of one
// conduction path, the steady state, the switch-on, the rectifier's limits and the winding's
// RMS current against load and mains (sampled once, so that the load scale and the mains sweep
// ask no further simulations).

#include "secondary_supply.h"
#include "supply_curves.h"
#include "supply_limits.h"
#include "supply_simulation.h"
#include "transformer_design.h"
#include "winding_current_models.h"

#include <optional>
#include <string>

namespace ferrolux {

// What the supply needs of the design, as numbers.
struct SupplyWindingFigures
{
    double secondaryV = 0;   // the whole winding's voltage as entered
    double secondaryOhm = 0; // the whole winding's resistance
    double primaryV = 0;
    double primaryOhm = 0;
    // The entered voltage was measured open circuit ("correct for loading" ticked); otherwise
    // it is the voltage on load.
    bool openCircuit = false;
};

// Without the box ticked the entered voltage is the one on load: the open-circuit voltage of
// a path is then the entered one plus the path's drop at the simulated RMS current,
// vac = v + R·I_rms(vac), the arithmetic sum the analysis's own loading correction uses,
// solved by secant steps to this relative tolerance within kMaxLoadedVoltageSteps
// simulations.
inline constexpr double kLoadedVoltageTolerance = 1e-5;
inline constexpr int kMaxLoadedVoltageSteps = 8;

struct DesignSupplyResult
{
    std::size_t row = 0;                // the secondary, 0-based
    SupplyCircuit circuit;              // as simulated: the source found from the design
    double enteredPathV = 0;            // the entered voltage of one path
    bool openCircuit = false;           // the entered voltage was the open-circuit one
    std::optional<std::string> failure; // why there are no figures
    SupplyFigures figures;
    SwitchOnFigures switchOn;
    std::vector<LimitCheck> limits;
    // The winding's RMS current against load; empty when it could not be sampled (then the
    // scaled checks scale the current as they do for every other winding).
    std::optional<WindingCurrentCurve> currentCurve;
    // For the plots of the window and of the report, worked out here once so that both draw
    // the same figures: one steady cycle (sampled at every step), and the regulation curve
    // (supplyLoadCurves: 15 loads from 10 % to 150 %, those the supply cannot deliver left
    // out).
    SupplyWaveform waveform;
    std::vector<RegulationPoint> regulation;

    bool ok() const { return !failure.has_value(); }

    // The winding current at mains `voltageFactor` times nominal and the supply's load
    // times `loadScale`, relative to the current at nominal mains and load. The mains scales
    // the EMF; the simulation is homogeneous in the EMF, the load current and every current
    // when the rectifier's law is linear (no forward voltage, no power-law term), so
    // I(f·vac, λ·I₀) ≈ f·I(vac, λ·I₀/f) for a constant-current load and f·I(vac, λ) for a
    // resistance load. docs/supply-simulation.md gives the error this leaves.
    double currentFactor(double voltageFactor, double loadScale) const;
};

DesignSupplyResult evaluateDesignSupply(const SecondarySupply &supply, std::size_t row,
                                        const SupplyWindingFigures &winding);

// Every supply of a design whose secondary exists, in secondary order, each from the
// secondary's entered voltage and resistance, the primary's, and the loading box.
std::vector<DesignSupplyResult> evaluateDesignSupplies(const SecondarySupplies &supplies,
                                                       const TransformerDesign &design);

// For the scaled checks: the supplied secondaries follow their simulations, the others scale
// as before. The models refer to `supplies`, which must outlive them.
WindingCurrentModels currentModelsOf(const std::vector<DesignSupplyResult> &supplies,
                                     std::size_t secondaryCount);

} // namespace ferrolux
