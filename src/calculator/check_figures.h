#pragma once

// Everything the check panel shows for one successful Calculate: the engineering checks and
// the hot-spot curve against the load scale, worked out by the core from the design.

#include "analysis.h"
#include "engineering_checks.h"

#include <vector>

namespace ferrolux {

// Hot spots of the models, in kThermalModels order, at one load scale (percent).
struct LoadCurvePoint
{
    double loadPercent = 0;
    std::vector<double> hotSpotC;
};

struct CheckFigures
{
    EngineeringChecks checks;
    ThermalInputs inputs;
    std::vector<LoadCurvePoint> loadCurve; // from 0 % up to loadCurveEndPercent()
};

// The load-scale plot runs from 0 to 200 %, or to the class-limit scale when that is larger
// (at most 400 %).
double loadCurveEndPercent(const ThermalCheck &thermal);

// Points of the load curve: every 5 % from 0 to the end, and the end itself.
inline constexpr double kLoadCurveStepPercent = 5;

// The checks and the load curve of a design and its analysis, with the panel's inputs.
// `currents`: how each secondary's current follows the mains and the load (engineering_checks.h).
CheckFigures computeCheckFigures(const TransformerDesign &design, const AnalysisResult &result,
                                 const ThermalInputs &inputs,
                                 const WindingCurrentModels &currents = {});

} // namespace ferrolux
