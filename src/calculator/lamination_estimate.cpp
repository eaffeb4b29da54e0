#include "lamination_estimate.h"

#include "line_format.h"

#include <cmath>

namespace ferrolux {

namespace {

bool sameShape(const CoreShape &a, const CoreShape &b)
{
    return a.tongueCm == b.tongueCm && a.windowWidthCm == b.windowWidthCm &&
           a.windowHeightCm == b.windowHeightCm;
}

bool sameConditions(const CoreConditions &a, const CoreConditions &b)
{
    return a.stackCm == b.stackCm && a.fluxT == b.fluxT && a.mainsV == b.mainsV && a.hz == b.hz &&
           a.stackingFactor == b.stackingFactor && a.riseK == b.riseK &&
           a.efficiency == b.efficiency;
}

} // namespace

bool LaminationChoice::operator==(const LaminationChoice &other) const
{
    return name == other.name && sameShape(custom, other.custom) &&
           sameConditions(conditions, other.conditions);
}

Checked<CoreShape> chosenShape(const LaminationChoice &choice)
{
    if (choice.name.empty()) {
        return choice.custom;
    }
    const std::optional<Lamination> row = findLamination(choice.name);
    if (!row) {
        return InputProblem{"no lamination named \"" + choice.name + "\" in the table (it has " +
                            laminationNames() + ")"};
    }
    return coreShapeOf(*row);
}

Checked<LaminationEstimate> laminationEstimate(const LaminationChoice &choice, double designVa)
{
    if (!std::isfinite(designVa) || designVa < 0) {
        return InputProblem{"the design's total VA is not a number of 0 or more"};
    }
    const Checked<CoreShape> shape = chosenShape(choice);
    if (const auto *problem = std::get_if<InputProblem>(&shape)) {
        return *problem;
    }
    const Checked<CoreFigures> figures = coreFigures(std::get<CoreShape>(shape), choice.conditions);
    if (const auto *problem = std::get_if<InputProblem>(&figures)) {
        return *problem;
    }
    LaminationEstimate estimate;
    estimate.shape = std::get<CoreShape>(shape);
    estimate.figures = std::get<CoreFigures>(figures);
    estimate.designVa = designVa;
    estimate.marginVa = estimate.figures.vaEstimate - designVa;
    return estimate;
}

std::string_view laminationAssumptions()
{
    return "The estimate assumes a sine-wave supply, a layer-wound bobbin filling 40 % of the "
           "window with copper, good transformer steel at the chosen flux density and cooling "
           "by free air; it is a starting point, not a rating.";
}

std::vector<std::string> laminationCheckLines(const LaminationChoice &choice,
                                              const Checked<LaminationEstimate> &estimate)
{
    std::vector<std::string> lines;
    const std::string core =
        choice.name.empty() ? std::string("Core by its dimensions") : "Lamination " + choice.name;
    if (const auto *problem = std::get_if<InputProblem>(&estimate)) {
        lines.push_back(core + ": no estimate, " + problem->message + ".");
        return lines;
    }
    const LaminationEstimate &e = std::get<LaminationEstimate>(estimate);
    const CoreConditions &c = choice.conditions;
    // The name as the user typed it, outside the pattern, so that no "-" of it is dropped.
    lines.push_back(core + formatLine(": tongue %.3g cm, window %.3g x %.3g cm, stack %.3g cm, "
                                      "%.3g T, %.4g V %.4g Hz, stacking factor %.2f, %d K rise, "
                                      "efficiency %.2f",
                                      e.shape.tongueCm, e.shape.windowWidthCm,
                                      e.shape.windowHeightCm, c.stackCm, c.fluxT, c.mainsV, c.hz,
                                      c.stackingFactor, c.riseK, c.efficiency));
    const CoreFigures &f = e.figures;
    lines.push_back(formatLine("  Ac %.4g cm2 (net %.4g), Wa %.4g cm2, Ap %.4g cm4, %.4g turns "
                               "per volt, %ld primary turns",
                               f.acCm2, f.acNetCm2, f.waCm2, f.apCm4, f.turnsPerVolt,
                               f.primaryTurns));
    lines.push_back(formatLine(
        "  Estimate %.1f VA against the design's %.1f VA: the load is %s the "
        "estimate by %.1f VA",
        f.vaEstimate, e.designVa, e.carries() ? "under" : "OVER", std::fabs(e.marginVa)));
    lines.push_back("  " + std::string(laminationAssumptions()));
    return lines;
}

} // namespace ferrolux
