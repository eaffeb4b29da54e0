#include "bench_evaluation.h"

namespace ferrolux {

BenchEvaluation evaluateBench(const BenchRecords &bench, const AnalysisResult &result,
                              const EngineeringChecks &checks, const ThermalInputs &inputs,
                              const SupplyCurrents &supplyAmps)
{
    BenchEvaluation evaluation;
    std::vector<std::string> &lines = evaluation.checkLines;
    const auto section = [&](const std::vector<std::string> &more) {
        lines.push_back("");
        lines.insert(lines.end(), more.begin(), more.end());
    };
    if (bench.measurements) {
        evaluation.rise = riseFigures(*bench.measurements, checks.thermal, inputs);
        section(riseCheckLines(*bench.measurements, *evaluation.rise));
    }
    evaluation.vaBudget = designVaBudget(result, supplyAmps);
    section(vaBudgetCheckLines(*evaluation.vaBudget));
    if (bench.lamination) {
        const auto *budget = std::get_if<DesignVaBudget>(&*evaluation.vaBudget);
        evaluation.lamination =
            budget != nullptr ? laminationEstimate(*bench.lamination, budget->budget.totalVa)
                              : Checked<LaminationEstimate>(
                                    InputProblem{"the design has no VA budget to compare with"});
        section(laminationCheckLines(*bench.lamination, *evaluation.lamination));
    }
    return evaluation;
}

} // namespace ferrolux
