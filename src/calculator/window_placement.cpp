#include "window_placement.h"

#include <algorithm>
#include <cmath>

namespace ferrolux {

namespace {

constexpr double kInt16Min = -32768.0;
constexpr double kInt16Max = 32767.0;

// Rounds to the nearest whole number, a half going to the even neighbour, without depending on
// the floating-point environment's rounding mode. The result is then clamped into the 16-bit
// range the rule measures in; a NaN measurement (no usable screen) counts as 0.
int measureInt16(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    const double clamped = std::clamp(value, kInt16Min, kInt16Max);
    const double lower = std::floor(clamped);
    const double fraction = clamped - lower;
    double rounded = lower;
    if (fraction > 0.5) {
        rounded = lower + 1.0;
    } else if (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0) {
        rounded = lower + 1.0;
    }
    return static_cast<int>(rounded);
}

} // namespace

WindowPlacement placeWindow(double maximisedClientWidth, double maximisedClientHeight)
{
    return placeWindow(maximisedClientWidth, maximisedClientHeight, kDesignOuterWidth,
                       kDesignOuterHeight);
}

WindowPlacement placeWindow(double maximisedClientWidth, double maximisedClientHeight,
                            int designOuterWidth, int designOuterHeight)
{
    const int t = measureInt16(maximisedClientWidth);
    const int h = measureInt16(maximisedClientHeight - kClientHeightAllowance);

    WindowPlacement placement;
    placement.width = std::min(designOuterWidth, t);
    placement.height = std::min(designOuterHeight, h);
    placement.left = static_cast<double>(t - placement.width) / 2.0;
    placement.top = static_cast<double>(h - placement.height) / 2.0;
    return placement;
}

} // namespace ferrolux
