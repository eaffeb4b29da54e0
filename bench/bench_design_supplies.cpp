// A whole Calculate with a simulated supply on every one of six secondaries: the analysis, the
// checks with the load scale and the mains sweep following the supplies, and the supplies
// themselves (steady state, switch-on, limits, the sampled winding current).

#include "analysis.h"
#include "design_supply.h"
#include "engineering_checks.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ferrolux;

FilterPart cap(double uf)
{
    return {FilterPartKind::ShuntCapacitor, uf, 0, 0};
}
FilterPart choke(double h, double ohm)
{
    return {FilterPartKind::SeriesChoke, 0, h, ohm};
}
FilterPart resistor(double ohm)
{
    return {FilterPartKind::SeriesResistor, 0, 0, ohm};
}

// Six secondaries a valve amplifier might have, each with a supply behind it.
TransformerDesign sixWindings(bool openCircuit)
{
    return {.primaryVoltage = 230,
            .primaryResistance = 3,
            .secondaries = {{700, 0.12, 90},
                            {500, 0.1, 60},
                            {250, 0.05, 40},
                            {120, 0.03, 30},
                            {25, 0.6, 0.8},
                            {12.6, 1.5, 0.15}},
            .potted = true,
            .x = 10,
            .y = 10,
            .z = 10,
            .correctForLoading = openCircuit,
            .plateLimit = 2.5,
            .filamentLimit = 4.5};
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
    const TransformerDesign design = sixWindings(state.range(0) != 0);
    const SecondarySupplies supplies = sixSupplies();
    for (auto _ : state) {
        const AnalysisResult result = std::get<AnalysisResult>(analyseDesign(design));
        const std::vector<DesignSupplyResult> simulated = evaluateDesignSupplies(supplies, design);
        const EngineeringChecks checks = runEngineeringChecks(
            design, result, ThermalInputs{}, currentModelsOf(simulated, design.secondaries.size()));
        benchmark::DoNotOptimize(checks);
        benchmark::DoNotOptimize(simulated);
    }
}
// 1: voltages entered open circuit; 0: on load (the open-circuit voltage is solved for).
BENCHMARK(wholeCalculate)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
