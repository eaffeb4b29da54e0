#include "fuse_rating.h"

#include <array>
#include <cmath>

namespace ferrolux {

namespace {

constexpr std::array kFuseRatings = {0.032, 0.04,  0.05, 0.063, 0.08, 0.1, 0.125, 0.16, 0.2,
                                     0.25,  0.315, 0.4,  0.5,   0.63, 0.8, 1.0,   1.25, 1.6,
                                     2.0,   2.5,   3.15, 4.0,   5.0,  6.3, 8.0,   10.0};

constexpr double kLeastMultiple = 1.5; // above the running current: no nuisance blowing
constexpr double kMostMultiple = 2.5;  // the fuse must still protect the winding

bool usable(double value)
{
    return std::isfinite(value) && value >= 0;
}

} // namespace

Checked<VaBudget> vaBudget(std::span<const SecondaryLoad> secondaries, double primaryVolts,
                           double efficiency)
{
    if (secondaries.empty()) {
        return InputProblem{"there are no secondaries"};
    }
    if (!std::isfinite(primaryVolts) || primaryVolts <= 0) {
        return InputProblem{"the primary voltage must be above 0 V"};
    }
    if (!std::isfinite(efficiency) || efficiency <= 0 || efficiency > 1) {
        return InputProblem{"the efficiency must be above 0 and at most 1"};
    }
    VaBudget budget;
    for (const SecondaryLoad &s : secondaries) {
        if (!usable(s.volts) || !usable(s.amps)) {
            return InputProblem{"each secondary voltage and current must be 0 or more"};
        }
        budget.secondaryVa.push_back(s.volts * s.amps);
        budget.totalVa += s.volts * s.amps;
    }
    budget.primaryAmps = budget.totalVa / (efficiency * primaryVolts);
    if (!std::isfinite(budget.totalVa) || !std::isfinite(budget.primaryAmps)) {
        return InputProblem{"the load is too large to total"};
    }
    return budget;
}

std::span<const double> standardFuseRatings()
{
    return kFuseRatings;
}

std::optional<FuseChoice> primaryFuse(double primaryFullLoadAmps)
{
    if (!std::isfinite(primaryFullLoadAmps) || primaryFullLoadAmps <= 0) {
        return std::nullopt;
    }
    FuseChoice choice;
    choice.leastAmps = kLeastMultiple * primaryFullLoadAmps;
    choice.mostAmps = kMostMultiple * primaryFullLoadAmps;
    for (const double rating : kFuseRatings) {
        // A rating equal to the bound within rounding (1.5 × 0.4 A is 0.6000000000000001)
        // counts as at the bound.
        if (rating >= choice.leastAmps * (1 - 1e-12)) {
            if (rating > choice.mostAmps * (1 + 1e-12)) {
                choice.fit = FuseFit::BelowSmallest;
                return choice;
            }
            choice.ratingAmps = rating;
            return choice;
        }
    }
    choice.fit = FuseFit::AboveLargest;
    return choice;
}

} // namespace ferrolux
