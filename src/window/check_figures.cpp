#include "check_figures.h"

#include <algorithm>

namespace ferrolux {

double loadCurveEndPercent(const ThermalCheck &thermal)
{
    const double classLimitPercent =
        thermal.loadScaleAtClassLimit ? *thermal.loadScaleAtClassLimit * 100.0 : 0.0;
    return classLimitPercent > 200.0 && classLimitPercent <= 400.0 ? classLimitPercent : 200.0;
}

} // namespace ferrolux
