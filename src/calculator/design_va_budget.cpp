#include "design_va_budget.h"

#include "line_format.h"

#include <algorithm>
#include <cmath>

namespace ferrolux {

Checked<DesignVaBudget> designVaBudget(const AnalysisResult &result,
                                       std::span<const std::optional<double>> supplyAmps)
{
    double output = 0;
    for (const SecondaryResult &s : result.secondaries) {
        output += s.outputPower;
    }
    if (!std::isfinite(output) || output <= 0 || !std::isfinite(result.primaryPower) ||
        result.primaryPower <= 0) {
        return InputProblem{"the analysis gives no output power to budget"};
    }
    DesignVaBudget design;
    design.efficiency = std::min(1.0, output / result.primaryPower);
    std::vector<WindingVa> loads;
    for (std::size_t i = 0; i < result.secondaries.size(); ++i) {
        const SecondaryResult &s = result.secondaries[i];
        const bool supplied = i < supplyAmps.size() && supplyAmps[i].has_value();
        const double amps = supplied ? *supplyAmps[i] : s.current;
        if (supplied && (!std::isfinite(amps) || amps < 0)) {
            return InputProblem{"the supply's current for secondary " + std::to_string(i + 1) +
                                " is not a number of 0 or more"};
        }
        loads.push_back({s.loadedVoltage, amps});
        design.secondaryAmps.push_back(amps);
        design.fromSupply.push_back(supplied);
    }
    Checked<VaBudget> budget = vaBudget(loads, result.primaryVoltage, design.efficiency);
    if (const auto *problem = std::get_if<InputProblem>(&budget)) {
        return *problem;
    }
    design.budget = std::get<VaBudget>(std::move(budget));
    design.fuse = primaryFuse(design.budget.primaryAmps);
    return design;
}

namespace {

std::string fuseText(double amps)
{
    return amps < 1 ? formatLine("%.0f mA T", amps * 1000) : formatLine("%.3g A T", amps);
}

} // namespace

std::vector<std::string> vaBudgetCheckLines(const Checked<DesignVaBudget> &checked)
{
    std::vector<std::string> lines;
    if (const auto *problem = std::get_if<InputProblem>(&checked)) {
        lines.push_back("VA budget: none, " + problem->message + ".");
        return lines;
    }
    const DesignVaBudget &d = std::get<DesignVaBudget>(checked);
    lines.push_back("VA budget (voltage under load times RMS current):");
    for (std::size_t i = 0; i < d.budget.secondaryVa.size(); ++i) {
        lines.push_back(formatLine("  Secondary %zu: %.4g A, %.2f VA%s", i + 1, d.secondaryAmps[i],
                                   d.budget.secondaryVa[i],
                                   d.fromSupply[i] ? " (the supply's RMS current)" : ""));
    }
    lines.push_back(formatLine("  Total %.2f VA; primary %.4g A at an efficiency of %.3f",
                               d.budget.totalVa, d.budget.primaryAmps, d.efficiency));
    if (!d.fuse) {
        lines.push_back("  Primary fuse: none for that current.");
    } else if (d.fuse->fit == FuseFit::Fits) {
        lines.push_back(formatLine("  Primary fuse %s (slow-blow; from %.4g A to %.4g A)",
                                   fuseText(d.fuse->ratingAmps).c_str(), d.fuse->leastAmps,
                                   d.fuse->mostAmps));
    } else {
        lines.push_back(formatLine("  Primary fuse: no standard rating from %.4g A to %.4g A; "
                                   "choose one from a maker's range",
                                   d.fuse->leastAmps, d.fuse->mostAmps));
    }
    return lines;
}

} // namespace ferrolux
