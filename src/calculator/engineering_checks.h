#pragma once

// Engineering checks beside the fixed report: the margin of the published temperature-rise
// models (thermal_models.h) against the insulation class, headroom per winding, the load
// scale at the class limit and the mains sweep; rectifier loads are in rectifier_loads.h and
// the readable check section in check_report.h. Every formula and
// its source is written down in docs/engineering-checks.md.

#include "input_range.h"
#include "rectifier_loads.h"
#include "thermal_models.h"
#include "winding_current_models.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ferrolux {

struct AnalysisResult;
struct TransformerDesign;

struct ThermalCheck
{
    // False when the surface or the mean dimension is not positive; `unavailableReason` then
    // says why and the figures below are meaningless.
    bool available = false;
    std::string unavailableReason;
    double classLimitC = 0;
    double heatW = 0; // Pdt + core loss
    std::array<ModelEstimate, 3> models{};
    ThermalModel hottestModel = ThermalModel::McLyman;
    double hottestC = 0;
    double marginK = 0; // class limit - hottest
    bool withinClass = false;
    // Smallest load scale k in (0, 100] at which the hottest hot spot reaches the class
    // limit; 0 when the core loss alone reaches it; nullopt when no k up to 100 does.
    std::optional<double> loadScaleAtClassLimit;
    double surfaceCm2 = 0;  // S of the analysis
    double meanLengthM = 0; // (X + Y + Z) / 3, in metres: the convection's length
};

struct WindingHeadroom
{
    bool plate = false;      // entered voltage above 30 V
    double limitPercent = 0; // the plate or filament limit that applies
    double current = 0;      // Is after the search
    // The current was left at 0 and found by the search, which stops at the first 1 % step past
    // the limit: such a winding sits at its limit by construction, it is not overloaded.
    bool foundBySearch = false;
    std::optional<double> currentLimit; // A, where the percent dissipation reaches its limit
    std::optional<double> loadPercent;  // 100 * Is / currentLimit
};

struct MainsPoint
{
    double percent = 0; // -10, -5, 0, +5, +10
    double primaryVoltage = 0;
    std::vector<double> secondaryVoltagesLoaded;
    double heatW = 0;
    double hottestC = 0;
};

struct EngineeringChecks
{
    double reportTemperatureC = 0; // the fixed report's own figure, (T - 32) * 5/9
    // The report's figure is below the ambient: a transformer that dissipates heat is never
    // colder than the air around it, so that figure means nothing for the design.
    bool reportTemperatureBelowAmbient = false;
    ThermalCheck thermal;
    std::vector<WindingHeadroom> headroom; // one per secondary
    std::vector<MainsPoint> mains;         // five points
};

// Every check on a design and its analysis result (the result of analysing that design).
// `currents`: how each secondary's current follows the mains and the load in the load scale
// and the mains sweep (by default, as a resistance load's).
EngineeringChecks runEngineeringChecks(const TransformerDesign &design,
                                       const AnalysisResult &result, const ThermalInputs &inputs,
                                       const WindingCurrentModels &currents = {});

// Hot-spot temperature of each model when every secondary current is multiplied by `scale`
// (1 = the analysed load); used for plotting against the load scale. Empty when unavailable.
std::vector<ModelEstimate> hotSpotsAtLoadScale(const TransformerDesign &design,
                                               const AnalysisResult &result,
                                               const ThermalInputs &inputs, double scale,
                                               const WindingCurrentModels &currents = {});

} // namespace ferrolux
