// EngFormat's real mode over a spread of magnitudes: 4096 values, logarithmically spread from
// 1e-17 (below the zero threshold) to 1e14 (above the overflow mark), of both signs, with
// zeros among them. One value is formatted per iteration.

#include "eng_format.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<double> spreadOfMagnitudes()
{
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> exponent(-17.0, 14.0);
    std::vector<double> values(4096);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double magnitude = std::pow(10.0, exponent(random));
        values[i] = i % 64 == 0 ? 0.0 : (i % 2 == 0 ? magnitude : -magnitude);
    }
    return values;
}

void BM_EngFormatRealMode(benchmark::State &state)
{
    const std::vector<double> values = spreadOfMagnitudes();
    std::size_t next = 0;
    for (auto _ : state) {
        std::string text = ferrolux::engFormat(values[next++ % values.size()]);
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations());
}

// The by-reference procedure as the report calls it: fresh empty texts for every value.
void BM_EngFormatProcedureAsReportCallsIt(benchmark::State &state)
{
    const std::vector<double> values = spreadOfMagnitudes();
    std::size_t next = 0;
    for (auto _ : state) {
        double value = values[next++ % values.size()];
        std::string text;
        std::string real;
        std::string imag;
        ferrolux::EngFormat(value, text, real, imag);
        benchmark::DoNotOptimize(real);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_EngFormatComplexMode(benchmark::State &state)
{
    const std::string text = "100 + J-0.47";
    for (auto _ : state) {
        ferrolux::ComplexEngText parts = ferrolux::engFormatComplex(text);
        benchmark::DoNotOptimize(parts);
    }
}

} // namespace

BENCHMARK(BM_EngFormatRealMode);
BENCHMARK(BM_EngFormatProcedureAsReportCallsIt);
BENCHMARK(BM_EngFormatComplexMode);
