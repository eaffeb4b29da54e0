#include "mains_sweep.h"

#include "scaled_load.h"

#include <limits>

namespace ferrolux {

std::vector<MainsPoint> mainsSweep(ScaledLoad &load, const ThermalGeometry &geometry,
                                   const ThermalInputs &inputs, bool thermalAvailable)
{
    std::vector<MainsPoint> points;
    points.reserve(kMainsPercents.size());
    for (const double percent : kMainsPercents) {
        const double f = 1 + percent / 100;
        const AnalysisResult &r = load.at(f, f);
        MainsPoint point;
        point.percent = percent;
        point.primaryVoltage = r.primaryVoltage;
        for (const SecondaryResult &s : r.secondaries) {
            point.secondaryVoltagesLoaded.push_back(s.loadedVoltage);
        }
        point.heatW = r.totalDissipation + inputs.coreLossW * f * f;
        point.hottestC =
            thermalAvailable
                ? hottestEstimate(modelEstimates(point.heatW, geometry, inputs)).hotSpotC
                : std::numeric_limits<double>::quiet_NaN();
        points.push_back(std::move(point));
    }
    return points;
}

} // namespace ferrolux
