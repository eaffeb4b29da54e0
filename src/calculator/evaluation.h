#pragma once

// One evaluation of a design: everything a Calculate produces, worked out once and shown by
// every front end (the window's report and check panel, Copy Report, the export and print,
// the report tool). Front ends format it; they never parse or analyse a design themselves.

#include "analysis.h"
#include "bench_evaluation.h"
#include "check_figures.h"
#include "constants_file.h"
#include "design.h"
#include "design_supply.h"
#include "transformer_design.h"

#include <optional>
#include <string>
#include <vector>

namespace ferrolux {

struct Evaluation
{
    // What was evaluated: the inputs and the limits.
    Design design;
    DissipationLimits limits;

    // Set when the calculation was refused; every figure below is then empty.
    std::optional<Refusal> refusal;
    // The design as numbers, once its texts were read (also when the analysis then refused).
    std::optional<TransformerDesign> numeric;
    // The analysis: every winding's figures, totals, power density, temperature.
    std::optional<AnalysisResult> result;
    // The fixed report's 30 lines.
    std::vector<std::string> reportLines;
    // The engineering checks with the design's thermal inputs: temperature models, headroom
    // per winding, load scale at the class limit, mains sweep, and the load curve.
    CheckFigures checks;
    // The readable check section (what --check prints after the report).
    std::vector<std::string> checkLines;
    // The supply of each secondary that has one (design.supplies), in secondary order; the
    // load scale and the mains sweep above follow them, and checkLines holds their sections.
    std::vector<DesignSupplyResult> supplies;
    // The transformer in hand: measured rise and calibrated rows, VA budget (with the supplies'
    // simulated currents) and fuse, lamination against the load (their lines end checkLines).
    BenchEvaluation bench;

    bool ok() const { return result.has_value(); }
};

// Reads the design's texts, analyses it and runs every check.
Evaluation evaluate(const Design &design, const DissipationLimits &limits);

// The same evaluation with other thermal inputs: the checks and the check section are worked
// out again; the report (which does not depend on them) stays.
Evaluation withThermalInputs(Evaluation evaluation, const ThermalInputs &thermal);

} // namespace ferrolux
