#include "evaluation.h"

#include "check_report.h"
#include "design_bench.h"
#include "report.h"
#include "saved_run_input.h"
#include "supply_check_lines.h"

#include <utility>
#include <variant>

namespace ferrolux {

namespace {

void runChecks(Evaluation &evaluation)
{
    const ThermalInputs &thermal = evaluation.design.extras.thermal;
    evaluation.checks = computeCheckFigures(
        *evaluation.numeric, *evaluation.result, thermal,
        currentModelsOf(evaluation.supplies, evaluation.numeric->secondaries.size()));
    evaluation.checkLines = checkReportLines(evaluation.checks.checks, thermal);
    for (std::string &line : supplyCheckLines(evaluation.supplies)) {
        evaluation.checkLines.push_back(std::move(line));
    }
    // The VA budget takes a supplied winding's simulated RMS current.
    SupplyCurrents supplyAmps{};
    for (const DesignSupplyResult &supply : evaluation.supplies) {
        if (supply.ok() && supply.row < supplyAmps.size()) {
            supplyAmps[supply.row] = supply.figures.windingRmsA;
        }
    }
    evaluation.bench = evaluateBench(benchRecordsOf(evaluation.design), *evaluation.result,
                                     evaluation.checks.checks, thermal, supplyAmps);
    evaluation.checkLines.insert(evaluation.checkLines.end(), evaluation.bench.checkLines.begin(),
                                 evaluation.bench.checkLines.end());
}

} // namespace

Evaluation evaluate(const Design &design, const DissipationLimits &limits)
{
    Evaluation evaluation;
    evaluation.design = design;
    evaluation.limits = limits;
    const DesignOutcome parsed = parseDesign(analysisInputFrom(design.run, limits));
    if (const auto *refusal = std::get_if<Refusal>(&parsed)) {
        evaluation.refusal = *refusal;
        return evaluation;
    }
    evaluation.numeric = std::get<TransformerDesign>(parsed);
    AnalysisOutcome outcome = analyseDesign(*evaluation.numeric);
    if (auto *refusal = std::get_if<Refusal>(&outcome)) {
        evaluation.refusal = std::move(*refusal);
        return evaluation;
    }
    evaluation.result = std::move(std::get<AnalysisResult>(outcome));
    evaluation.reportLines = buildReport(*evaluation.result);
    evaluation.supplies = evaluateDesignSupplies(design.supplies, *evaluation.numeric);
    runChecks(evaluation);
    return evaluation;
}

Evaluation withThermalInputs(Evaluation evaluation, const ThermalInputs &thermal)
{
    evaluation.design.extras.thermal = thermal;
    if (evaluation.ok()) {
        runChecks(evaluation);
    }
    return evaluation;
}

} // namespace ferrolux
