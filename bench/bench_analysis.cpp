// The analysis behind Calculate: the worked example, a search that never reaches its limit and
// ends only when the growing current overflows, and the longest calculation that still
// finishes (six searches that each run until just short of overflow).

#include "analysis.h"
#include "default_files.h"
#include "report.h"
#include "saved_run_input.h"

#include <benchmark/benchmark.h>
#include <string>
#include <variant>

namespace {

using namespace ferrolux;

// The worked example with the default limits, as the window holds it on a first start.
AnalysisInput workedExample()
{
    return analysisInputFrom(exampleLastRun(), DissipationLimits{.OCPPDis = 2.5, .OCFPDis = 4.5});
}

// A percentage never exceeds 100, so a limit above it is never reached: the plate search of
// secondary 1 runs from 0.001 A until its dissipation overflows (about 36,000 steps) and the
// calculation stops there.
AnalysisInput searchEndingOnOverflow()
{
    AnalysisInput input = workedExample();
    input.plateLimit = 101;
    return input;
}

// With the limit at 100 % and a tiny winding resistance, each of six plate searches runs until
// the percentage rounds to 100, near 2.4e148 A (about 35,000 steps each); a primary voltage of
// 1e300 V keeps the primary current small enough for the calculation to finish with a report.
AnalysisInput sixLongestSearches()
{
    const SecondaryTexts row{.voltage = "350", .resistance = "1e-130", .current = "0"};
    AnalysisInput input = workedExample();
    input.primaryVoltage = std::string("1e300");
    input.secondaryCount = std::string(1, '6');
    input.secondaries = {row, row, row, row, row, row};
    input.plateLimit = 100;
    input.correctForLoading = false;
    return input;
}

void analyse(benchmark::State &state, const AnalysisInput &input, bool finishes)
{
    // Checked once: a benchmark of the wrong path would measure nothing useful.
    if (std::holds_alternative<AnalysisResult>(analyseTransformer(input)) != finishes) {
        state.SkipWithError("the input does not take the path this benchmark is meant for");
        return;
    }
    for (auto _ : state) {
        AnalysisOutcome outcome = analyseTransformer(input);
        benchmark::DoNotOptimize(outcome);
    }
}

void BM_AnalyseWorkedExample(benchmark::State &state)
{
    analyse(state, workedExample(), true);
}

void BM_AnalyseWorkedExampleWithReport(benchmark::State &state)
{
    const AnalysisInput input = workedExample();
    for (auto _ : state) {
        const AnalysisOutcome outcome = analyseTransformer(input);
        auto lines = buildReport(std::get<AnalysisResult>(outcome));
        benchmark::DoNotOptimize(lines);
    }
}

void BM_AnalyseSearchEndingOnOverflow(benchmark::State &state)
{
    analyse(state, searchEndingOnOverflow(), false);
}

void BM_AnalyseSixLongestSearches(benchmark::State &state)
{
    analyse(state, sixLongestSearches(), true);
}

} // namespace

BENCHMARK(BM_AnalyseWorkedExample)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnalyseWorkedExampleWithReport)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnalyseSearchEndingOnOverflow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalyseSixLongestSearches)->Unit(benchmark::kMillisecond);
