#include "check_figures.h"

#include <algorithm>
#include <utility>

namespace ferrolux {

double loadCurveEndPercent(const ThermalCheck &thermal)
{
    const double classLimitPercent =
        thermal.loadScaleAtClassLimit ? *thermal.loadScaleAtClassLimit * 100.0 : 0.0;
    return classLimitPercent > 200.0 && classLimitPercent <= 400.0 ? classLimitPercent : 200.0;
}

CheckFigures computeCheckFigures(const TransformerDesign &design, const AnalysisResult &result,
                                 const ThermalInputs &inputs, const WindingCurrentModels &currents)
{
    CheckFigures figures;
    figures.inputs = inputs;
    figures.checks = runEngineeringChecks(design, result, inputs, currents);
    if (!figures.checks.thermal.available) {
        return figures;
    }
    const double end = loadCurveEndPercent(figures.checks.thermal);
    for (double percent = 0;; percent += kLoadCurveStepPercent) {
        const double at = std::min(percent, end);
        LoadCurvePoint point{at, {}};
        for (const ModelEstimate &estimate :
             hotSpotsAtLoadScale(design, result, inputs, at / 100.0, currents)) {
            point.hotSpotC.push_back(estimate.hotSpotC);
        }
        figures.loadCurve.push_back(std::move(point));
        if (at >= end) {
            break;
        }
    }
    return figures;
}

} // namespace ferrolux
