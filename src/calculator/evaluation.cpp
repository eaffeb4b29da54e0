#include "evaluation.h"

#include "check_report.h"
#include "report.h"
#include "saved_run_input.h"

#include <utility>
#include <variant>

namespace ferrolux {

namespace {

void runChecks(Evaluation &evaluation)
{
    const ThermalInputs &thermal = evaluation.design.extras.thermal;
    evaluation.checks = computeCheckFigures(*evaluation.numeric, *evaluation.result, thermal);
    evaluation.checkLines = checkReportLines(evaluation.checks.checks, thermal);
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
