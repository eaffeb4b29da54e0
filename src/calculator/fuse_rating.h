#pragma once

// The VA budget of a transformer's load and the primary fuse it calls for.

#include "input_problem.h"

#include <optional>
#include <span>
#include <vector>

namespace ferrolux {

struct SecondaryLoad
{
    double volts = 0; // RMS
    double amps = 0;  // RMS
};

struct VaBudget
{
    std::vector<double> secondaryVa; // V · I of each secondary, in order
    double totalVa = 0;              // Σ V · I
    double primaryAmps = 0;          // full-load primary current
};

// Σ V·I over the secondaries, and the primary current that carries it:
// I_primary = Σ V·I / (η · V_primary). Refused: a secondary voltage or current that is negative
// or not finite, a primary voltage not above 0, an efficiency outside (0, 1], no secondaries.
Checked<VaBudget> vaBudget(std::span<const SecondaryLoad> secondaries, double primaryVolts,
                           double efficiency);

// The standard fuse ratings in amperes, smallest first: 32 mA to 10 A in the R10 series of
// preferred numbers (1, 1.25, 1.6, 2, 2.5, 3.15, 4, 5, 6.3, 8 per decade).
std::span<const double> standardFuseRatings();

enum class FuseFit { Fits, BelowSmallest, AboveLargest };

struct FuseChoice
{
    FuseFit fit = FuseFit::Fits;
    double ratingAmps = 0; // the chosen slow-blow rating when it fits; otherwise 0
    double leastAmps = 0;  // 1.5 × the full-load primary current
    double mostAmps = 0;   // 2.5 × the full-load primary current
};

// A slow-blow (time-lag) primary fuse: the smallest standard rating at or above 1.5 × the
// full-load primary current, provided it is no more than 2.5 × that current. The list's steps
// are at most 1.28 apart, so within its span a rating always fits; below 32 mA / 2.5 or above
// 10 A / 1.5 of primary current none does, and the choice says which end was passed.
// nullopt for a current that is not finite and above 0.
std::optional<FuseChoice> primaryFuse(double primaryFullLoadAmps);

} // namespace ferrolux
