// A whole Calculate (evaluate) with a simulated supply on every one of six secondaries: the
// analysis, the report, the checks with the load scale and the mains sweep following the
// supplies, and the supplies themselves (steady state with its cycle for the plot, switch-on,
// limits, the regulation curve and the sampled winding current), each supply on a thread of
// its own.

#include "default_files.h"
#include "evaluation.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace ferrolux;

constexpr auto &cap = shuntCapacitor;
constexpr auto &choke = seriesChoke;
constexpr auto &resistor = seriesResistor;

// Six secondaries a valve amplifier might have, on the worked example's core and primary.
Design sixWindings(bool openCircuit)
{
    Design design;
    design.run = exampleLastRun();
    design.run.example = false;
    design.run.secondaryCount = std::to_string(6);
    // Voltage, resistance and current of each.
    static const char *const texts[6][3] = {{"700", "90", "0.12"}, {"500", "60", "0.1"},
                                            {"250", "40", "0.05"}, {"120", "30", "0.03"},
                                            {"25", "0.8", "0.6"},  {"12.6", "0.15", "1.5"}};
    for (std::size_t i = 0; i < 6; ++i) {
        SecondaryTexts &row = design.run.secondaries[i];
        row.voltage.assign(texts[i][0]);
        row.resistance.assign(texts[i][1]);
        row.current.assign(texts[i][2]);
    }
    design.run.loading = openCircuit ? 1 : 2;
    return design;
}

SecondarySupply make(RectifierCircuit circuit, RectifierKind kind, const char *part,
                     std::vector<FilterPart> filter, SupplyLoadKind loadKind, double load)
{
    SecondarySupply s;
    s.circuit = circuit;
    s.rectifier.kind = kind;
    s.rectifier.part = part;
    s.filter = std::move(filter);
    s.load = {loadKind, load};
    return s;
}

SecondarySupplies sixSupplies()
{
    using RC = RectifierCircuit;
    using RK = RectifierKind;
    using LK = SupplyLoadKind;
    SecondarySupplies s{};
    s[0] = make(RC::FullWaveCentreTap, RK::Valve, "5U4GB", {cap(20), choke(10, 150), cap(40)},
                LK::ConstantCurrent, 0.15);
    s[1] = make(RC::FullWaveCentreTap, RK::Valve, "GZ34", {cap(32), choke(5, 90), cap(47)},
                LK::Resistance, 2500);
    s[2] = make(RC::Bridge, RK::SiliconPreset, "1N4007", {cap(47), resistor(1000), cap(47)},
                LK::ConstantCurrent, 0.03);
    s[3] = make(RC::HalfWave, RK::SiliconPreset, "1N4007", {cap(100), resistor(2200), cap(100)},
                LK::Resistance, 100000);
    s[4] = make(RC::Bridge, RK::SiliconPreset, "1N5408", {cap(4700)}, LK::ConstantCurrent, 0.4);
    s[5] = make(RC::Bridge, RK::SiliconPreset, "1N5408", {cap(10000)}, LK::ConstantCurrent, 1.0);
    return s;
}

void wholeCalculate(benchmark::State &state)
{
    Design design = sixWindings(state.range(0) != 0);
    design.supplies = sixSupplies();
    for (auto _ : state) {
        const Evaluation evaluation = evaluate(design, DissipationLimits{2.5, 4.5, 1.5, 2.5});
        if (!evaluation.ok() || evaluation.supplies.size() != 6) {
            state.SkipWithError("the design did not evaluate with its six supplies");
            break;
        }
        benchmark::DoNotOptimize(evaluation);
    }
}
// 1: voltages entered open circuit; 0: on load (the open-circuit voltage is solved for).
BENCHMARK(wholeCalculate)
    ->UseRealTime()
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

} // namespace
