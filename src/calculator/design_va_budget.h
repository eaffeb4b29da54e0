#pragma once

// The VA budget of an analysed design and the primary fuse it calls for.

#include "analysis.h"
#include "fuse_rating.h"
#include "input_problem.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ferrolux {

struct DesignVaBudget
{
    VaBudget budget;
    std::vector<double> secondaryAmps; // the RMS current counted for each secondary
    std::vector<bool> fromSupply;      // true where a supply's current was counted
    double efficiency = 0;             // the analysis's output power over its input power
    std::optional<FuseChoice> fuse;
};

// Σ V·I over the secondaries at their voltage under load, with the analysis's current, or the
// RMS current a supply gives where `supplyAmps` has one (element i for secondary i+1); the
// primary current at the analysis's efficiency (output / input power, copper losses), and the
// slow-blow fuse for it. Refused where the analysis has no output power or a supply's current
// is not a finite number of 0 or more.
Checked<DesignVaBudget> designVaBudget(const AnalysisResult &result,
                                       std::span<const std::optional<double>> supplyAmps);

// The budget's lines of the check section.
std::vector<std::string> vaBudgetCheckLines(const Checked<DesignVaBudget> &budget);

} // namespace ferrolux
