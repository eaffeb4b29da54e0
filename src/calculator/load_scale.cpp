#include "load_scale.h"

#include "scaled_load.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ferrolux {

namespace {

// Every model's hot spot grows with the heat, so the hottest one reaches the class limit
// exactly when the heat reaches the least of the heats at which each model reaches it. The
// scan then compares heats: no model is solved inside the loop.
double heatAtClassLimitW(const ThermalGeometry &geometry, const ThermalInputs &inputs)
{
    const double allowedRiseK =
        classLimitC(inputs.insulationClass) - inputs.ambientC - inputs.hotSpotAllowanceK;
    if (!(allowedRiseK > 0)) {
        return 0;
    }
    double least = std::numeric_limits<double>::infinity();
    for (const ThermalModel model : kThermalModels) {
        least = std::min(least, heatAtRiseW(model, allowedRiseK, geometry, inputs));
    }
    return least;
}

} // namespace

std::optional<double> loadScaleAtClassLimit(ScaledLoad &load, const ThermalGeometry &geometry,
                                            const ThermalInputs &inputs)
{
    const double limitW = heatAtClassLimitW(geometry, inputs);
    const auto reaches = [&](double scale) {
        return load.copperLossAtLoadScale(scale) + inputs.coreLossW >= limitW;
    };
    if (inputs.coreLossW >= limitW) {
        return 0.0;
    }
    for (int i = 1; i <= kLoadScaleSteps; ++i) {
        const double scale = i * kLoadScaleStep;
        if (!reaches(scale)) {
            continue;
        }
        double below = (i - 1) * kLoadScaleStep;
        double above = scale;
        while (above - below > 1e-6 * above) {
            const double middle = below + (above - below) / 2;
            (reaches(middle) ? above : below) = middle;
        }
        return above;
    }
    return std::nullopt;
}

} // namespace ferrolux
