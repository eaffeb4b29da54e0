// The supply simulation: one supply to its steady state for a spread of circuits (the slowest
// is the worst case), the switch-on run from cold, the regulation curve of the window's plot
// and the sampled winding-current curve the checks use.

#include "supply_curves.h"
#include "supply_simulation.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ferrolux;

constexpr auto &cap = shuntCapacitor;
constexpr auto &choke = seriesChoke;
constexpr auto &resistor = seriesResistor;

SupplyCircuit make(RectifierCircuit circuit, double vac, double ohm, Rectifier rectifier,
                   std::vector<FilterPart> filter, SupplyLoad load, double hz = 50)
{
    SupplyCircuit s;
    s.mainsHz = hz;
    s.windingVac = vac;
    s.windingOhm = ohm;
    s.circuit = circuit;
    s.rectifier = std::move(rectifier);
    s.filter = std::move(filter);
    s.load = load;
    return s;
}

const Rectifier k1N4007{RectifierKind::SiliconPreset, "1N4007", {}};

// The published 5U4G case: 550-0-550 V, 85 ohm per half, 10 uF, 125 mA.
SupplyCircuit published5U4G()
{
    return make(RectifierCircuit::FullWaveCentreTap, 550, 85, {RectifierKind::Valve, "5U4G", {}},
                {cap(10)}, {SupplyLoadKind::ConstantCurrent, 0.125}, 60);
}

SupplyCircuit supplyCase(int index)
{
    switch (index) {
    case 0:
        return published5U4G();
    case 1: // a GZ34 amplifier supply: C-L-C into a resistance
        return make(RectifierCircuit::FullWaveCentreTap, 350, 60,
                    {RectifierKind::Valve, "GZ34", {}}, {cap(32), choke(5, 90), cap(47)},
                    {SupplyLoadKind::Resistance, 2500});
    case 2: // silicon bridge, C-R-C-R-C
        return make(RectifierCircuit::Bridge, 250, 8, k1N4007,
                    {cap(100), resistor(220), cap(47), resistor(1000), cap(22)},
                    {SupplyLoadKind::ConstantCurrent, 0.12});
    case 3: // choke input
        return make(RectifierCircuit::FullWaveCentreTap, 400, 50,
                    {RectifierKind::Valve, "5R4GY", {}}, {choke(10, 100), cap(40)},
                    {SupplyLoadKind::ConstantCurrent, 0.15});
    case 4: // half-wave bias supply
        return make(RectifierCircuit::HalfWave, 60, 20, k1N4007,
                    {cap(47), resistor(10000), cap(100)}, {SupplyLoadKind::Resistance, 100000});
    default: // a large capacitor on a light load: slow to settle from cold
        return make(RectifierCircuit::Bridge, 12, 0.5, k1N4007, {cap(10000)},
                    {SupplyLoadKind::ConstantCurrent, 0.05});
    }
}

void BM_SupplySteadyState(benchmark::State &state)
{
    const SupplyCircuit supply = supplyCase(static_cast<int>(state.range(0)));
    if (!std::holds_alternative<SteadyState>(simulateSteadyState(supply))) {
        state.SkipWithError("the bench supply has no steady state");
        return;
    }
    int cycles = 0;
    for (auto _ : state) {
        auto outcome = simulateSteadyState(supply);
        cycles = std::get<SteadyState>(outcome).figures.cycles;
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["cycles"] = cycles;
}

void BM_SupplySwitchOn(benchmark::State &state)
{
    const SupplyCircuit supply = supplyCase(static_cast<int>(state.range(0)));
    const auto steady = simulateSteadyState(supply);
    const double dc = std::get<SteadyState>(steady).figures.dcOutputV;
    for (auto _ : state) {
        auto figures = simulateSwitchOn(supply, dc);
        benchmark::DoNotOptimize(figures);
    }
}

// The regulation curve of the plot and the winding-current curve of the checks, from one sweep.
void BM_SupplyLoadCurves(benchmark::State &state)
{
    const SupplyCircuit supply = supplyCase(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto curves = supplyLoadCurves(supply);
        benchmark::DoNotOptimize(curves);
    }
}

} // namespace

BENCHMARK(BM_SupplySteadyState)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SupplySwitchOn)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SupplyLoadCurves)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
