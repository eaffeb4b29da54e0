// The engineering checks on the worked example: the checks alone (models, headroom, the load
// scale scan and the mains sweep) and everything `ferrolux-report --example --json` computes,
// from the input texts to the JSON text.

#include "analysis.h"
#include "default_files.h"
#include "engineering_checks.h"
#include "json_report.h"
#include "saved_run_input.h"

#include <benchmark/benchmark.h>
#include <variant>

namespace {

using namespace ferrolux;

AnalysisInput workedExample()
{
    return analysisInputFrom(exampleLastRun(), DissipationLimits{.OCPPDis = 2.5, .OCFPDis = 4.5});
}

void BM_EngineeringChecks(benchmark::State &state)
{
    const TransformerDesign design = std::get<TransformerDesign>(parseDesign(workedExample()));
    const AnalysisResult result = std::get<AnalysisResult>(analyseDesign(design));
    const ThermalInputs inputs;
    if (!runEngineeringChecks(design, result, inputs).thermal.loadScaleAtClassLimit) {
        state.SkipWithError("the worked example should reach its class limit");
        return;
    }
    for (auto _ : state) {
        EngineeringChecks checks = runEngineeringChecks(design, result, inputs);
        benchmark::DoNotOptimize(checks);
    }
}
BENCHMARK(BM_EngineeringChecks)->Unit(benchmark::kMicrosecond);

void BM_WholeJsonCheck(benchmark::State &state)
{
    const AnalysisInput input = workedExample();
    const ThermalInputs inputs;
    for (auto _ : state) {
        const TransformerDesign design = std::get<TransformerDesign>(parseDesign(input));
        const AnalysisResult result = std::get<AnalysisResult>(analyseDesign(design));
        std::string json =
            jsonReport(design, result, runEngineeringChecks(design, result, inputs), inputs);
        benchmark::DoNotOptimize(json);
    }
}
BENCHMARK(BM_WholeJsonCheck)->Unit(benchmark::kMicrosecond);

} // namespace
