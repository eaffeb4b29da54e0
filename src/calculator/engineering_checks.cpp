// The engineering checks of an analysed design: the thermal models and class margin, the
// headroom of each winding, the load scale at the class limit and the mains sweep.

#include "engineering_checks.h"

#include "analysis.h"
#include "check_verdict.h"
#include "load_scale.h"
#include "mains_sweep.h"
#include "scaled_load.h"
#include "thermal_models.h"

namespace ferrolux {

namespace {

ThermalGeometry geometryOf(const TransformerDesign &design, const AnalysisResult &result)
{
    return {result.surfaceCm2, (design.x + design.y + design.z) / 3 / 100};
}

// The current at which the winding's percent dissipation reaches its limit L:
// 100·I·Rs / (I·Rs + Vs) = L gives I = L·Vs / (Rs·(100 − L)).
WindingHeadroom headroomOf(const SecondaryDesign &entered, const SecondaryResult &analysed,
                           const TransformerDesign &design)
{
    WindingHeadroom h;
    h.plate = isPlateWinding(entered);
    h.limitPercent = h.plate ? design.plateLimit : design.filamentLimit;
    h.current = analysed.current;
    h.foundBySearch = entered.current == 0 && analysed.current > 0;
    const double L = h.limitPercent;
    if (L > 0 && L < 100 && entered.voltage > 0 && entered.resistance > 0) {
        h.currentLimit = L * entered.voltage / (entered.resistance * (100 - L));
        h.loadPercent = 100 * analysed.current / *h.currentLimit;
    }
    return h;
}

ThermalCheck thermalCheck(const ThermalGeometry &geometry, const AnalysisResult &result,
                          const ThermalInputs &inputs)
{
    ThermalCheck t;
    t.surfaceCm2 = geometry.surfaceCm2;
    t.meanLengthM = geometry.meanLengthM;
    t.classLimitC = classLimitC(inputs.insulationClass);
    t.heatW = result.totalDissipation + inputs.coreLossW;
    t.unavailableReason = thermalUnavailableReason(geometry, inputs);
    if (t.unavailableReason.empty() && !(t.heatW >= 0)) {
        t.unavailableReason = "the heat is negative (a negative winding resistance?)";
    }
    t.available = t.unavailableReason.empty();
    if (!t.available) {
        return t;
    }
    t.models = modelEstimates(t.heatW, geometry, inputs);
    const ModelEstimate &hottest = hottestEstimate(t.models);
    t.hottestModel = hottest.model;
    t.hottestC = hottest.hotSpotC;
    t.marginK = t.classLimitC - t.hottestC;
    t.withinClass = t.marginK >= 0;
    return t;
}

} // namespace

EngineeringChecks runEngineeringChecks(const TransformerDesign &design,
                                       const AnalysisResult &result, const ThermalInputs &inputs,
                                       const WindingCurrentModels &currents)
{
    EngineeringChecks checks;
    checks.reportTemperatureC = celsiusFromFahrenheit(result.temperatureF);
    checks.reportTemperatureBelowAmbient = checks.reportTemperatureC < inputs.ambientC;
    const ThermalGeometry geometry = geometryOf(design, result);
    checks.thermal = thermalCheck(geometry, result, inputs);
    for (std::size_t i = 0; i < result.secondaries.size() && i < design.secondaries.size(); ++i) {
        checks.headroom.push_back(headroomOf(design.secondaries[i], result.secondaries[i], design));
    }
    ScaledLoad load(design, result, currents);
    if (checks.thermal.available) {
        checks.thermal.loadScaleAtClassLimit = loadScaleAtClassLimit(load, geometry, inputs);
    }
    checks.mains = mainsSweep(load, geometry, inputs, checks.thermal.available);
    return checks;
}

std::vector<ModelEstimate> hotSpotsAtLoadScale(const TransformerDesign &design,
                                               const AnalysisResult &result,
                                               const ThermalInputs &inputs, double scale,
                                               const WindingCurrentModels &currents)
{
    const ThermalGeometry geometry = geometryOf(design, result);
    if (!thermalUnavailableReason(geometry, inputs).empty()) {
        return {};
    }
    ScaledLoad load(design, result, currents);
    const double heatW = load.copperLossAtLoadScale(scale) + inputs.coreLossW;
    if (!(heatW >= 0)) {
        return {};
    }
    const auto estimates = modelEstimates(heatW, geometry, inputs);
    return {estimates.begin(), estimates.end()};
}

} // namespace ferrolux
