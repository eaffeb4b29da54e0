// The supply simulation against closed forms (ideal choke input, a huge capacitor on a tiny
// load, the cold-start current into an empty capacitor), the balances every steady cycle must
// keep (charge, power), a run with ten times finer steps, the published 5U4G figure, and the
// load curves against direct runs.

#include "supply_curves.h"
#include "supply_parts.h"
#include "supply_simulation.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <string>

namespace ferrolux {
namespace {

using namespace testing_support;

SupplyFigures steady(const SupplyCircuit &s, int steps = kSupplyStepsPerCycle)
{
    SimulationOptions options;
    options.stepsPerCycle = steps;
    const auto outcome = simulateSteadyState(s, options);
    if (const auto *failure = std::get_if<SupplyFailure>(&outcome)) {
        ADD_FAILURE() << failure->reason;
        return {};
    }
    return std::get<SteadyState>(outcome).figures;
}

using RC = RectifierCircuit;

// A spread of circuits: capacitor input with a valve and with silicon, CLC, RC, choke input,
// half-wave, bridge.
struct NamedSupply
{
    const char *name;
    SupplyCircuit circuit;
};

std::vector<NamedSupply> spread()
{
    return {
        {"5U4G capacitor input",
         {60, 550, 85, RC::FullWaveCentreTap, valve("5U4G"), {cap(10)}, amps(0.125)}},
        {"GZ34 CLC",
         {50,
          350,
          60,
          RC::FullWaveCentreTap,
          valve("GZ34"),
          {cap(32), choke(5, 90), cap(47)},
          ohms(2500)}},
        {"silicon bridge CRC",
         {50, 250, 8, RC::Bridge, law(0.7, 0.4), {cap(100), resistor(220), cap(100)}, amps(0.15)}},
        {"half-wave RC",
         {50, 120, 5, RC::HalfWave, law(0.7, 0.1), {resistor(10), cap(220)}, ohms(1500)}},
        {"choke input",
         {50,
          400,
          50,
          RC::FullWaveCentreTap,
          valve("5R4GY"),
          {choke(10, 100), cap(40)},
          amps(0.15)}},
        {"bridge choke input",
         {50,
          300,
          10,
          RC::Bridge,
          law(0.8, 0.2),
          {choke(8, 60), cap(47), choke(2, 30), cap(47)},
          ohms(3000)}},
        // Charging 100 uF through 0.09 ohm: a 9 us time constant, far below 480 steps a cycle.
        {"stiff low-voltage bridge",
         {50,
          8,
          0.05,
          RC::Bridge,
          law(0.7, 0.02),
          {cap(100), resistor(0.5), cap(4700)},
          amps(1.5)}},
    };
}

TEST(SupplySimulation, IdealChokeInputGivesTheFullWaveMeanLessTheDrops)
{
    // With a large choke the current is nearly constant, so the rectifier's output is the
    // full-wave mean 2·√2/π·vac less the drops at that current: (m elements)·forward_v and
    // I·(path + m·diode + choke) ohms. With a resistance load, I = V / R.
    struct Case
    {
        RectifierCircuit circuit;
        double vac, pathOhm, forwardV, diodeOhm, chokeOhm, loadOhm;
        int elements;
    };
    const Case cases[] = {
        {RC::FullWaveCentreTap, 250, 1, 0.7, 0.1, 10, 1000, 1},
        {RC::FullWaveCentreTap, 500, 0.5, 0.0, 0.0, 50, 5000, 1},
        {RC::Bridge, 250, 1, 0.7, 0.1, 10, 1000, 2},
        {RC::Bridge, 100, 0.2, 1.0, 0.5, 5, 200, 2},
    };
    for (const Case &c : cases) {
        const SupplyCircuit s{50,
                              c.vac,
                              c.pathOhm,
                              c.circuit,
                              law(c.forwardV, c.diodeOhm),
                              {choke(200, c.chokeOhm), cap(200)},
                              ohms(c.loadOhm)};
        const double seriesOhm = c.pathOhm + c.elements * c.diodeOhm + c.chokeOhm;
        const double mean = 2 * std::numbers::sqrt2 / std::numbers::pi * c.vac;
        const double expected = (mean - c.elements * c.forwardV) / (1 + seriesOhm / c.loadOhm);
        const SupplyFigures f = steady(s);
        EXPECT_LT(relative(f.dcOutputV, expected), 2e-3) << f.dcOutputV << " vs " << expected;
        // Square-wave currents: a half-winding carries I half the time, a bridge winding always.
        const double current = expected / c.loadOhm;
        const double rms = c.circuit == RC::Bridge ? current : current / std::numbers::sqrt2;
        EXPECT_LT(relative(f.windingRmsA, rms), 5e-3) << f.windingRmsA << " vs " << rms;
    }
}

TEST(SupplySimulation, HugeCapacitorOnATinyLoadChargesToThePeakLessTheDrop)
{
    struct Case
    {
        RectifierCircuit circuit;
        double vac, forwardV;
        int elements;
    };
    const Case cases[] = {{RC::HalfWave, 100, 0.7, 1},
                          {RC::FullWaveCentreTap, 300, 0.7, 1},
                          {RC::Bridge, 50, 1.0, 2}};
    for (const Case &c : cases) {
        // The recharge pulse at each crest needs a deficit ΔV with
        // Q = I·T ≈ (ΔV/R)·(2/3)·(2T/π)·√(2ΔV/peak): a few millivolts here.
        const SupplyCircuit s = {50,           c.vac,     0.1, c.circuit, law(c.forwardV, 0),
                                 {cap(10000)}, amps(1e-4)};
        const double expected = std::numbers::sqrt2 * c.vac - c.elements * c.forwardV;
        const SupplyFigures f = steady(s);
        EXPECT_LT(relative(f.dcOutputV, expected), 1e-4) << f.dcOutputV << " vs " << expected;
        EXPECT_LT(f.ripplePpV, 0.01);
    }
}

// Every circuit of the spread: the balances a steady cycle must keep, a run with ten times finer
// steps agreeing within a tenth of a percent, and the waveform being that steady cycle.
TEST(SupplySimulation, SteadyCycleBalancesConvergesAndIsTheWaveform)
{
    for (const auto &[name, s] : spread()) {
        SCOPED_TRACE(name);
        SimulationOptions options;
        options.wantWaveform = true;
        const auto outcome = simulateSteadyState(s, options);
        ASSERT_TRUE(std::holds_alternative<SteadyState>(outcome));
        const SteadyState &run = std::get<SteadyState>(outcome);
        const SupplyFigures &f = run.figures;
        // Charge: what the rectifier sends into the filter is what the load takes.
        EXPECT_LT(relative(f.outputMeanA, f.loadMeanA), 2e-3);
        // Power: the EMF's mean power goes into the resistances, the rectifier and the load.
        const double spent = f.windingLossW + f.rectifierLossW + f.filterLossW + f.loadPowerW;
        EXPECT_LT(relative(spent, f.sourcePowerW), 2e-3);

        const int steps = supplyStepsPerCycle(s, kSupplyStepsPerCycle);
        EXPECT_GE(steps, kSupplyStepsPerCycle);
        const SupplyFigures fine = steady(s, 10 * steps);
        EXPECT_LT(relative(f.dcOutputV, fine.dcOutputV), 1e-3);
        EXPECT_LT(relative(f.firstCapacitorDcV, fine.firstCapacitorDcV), 1e-3);
        EXPECT_LT(relative(f.windingRmsA, fine.windingRmsA), 1e-3);
        EXPECT_LT(relative(f.rectifierPeakA, fine.rectifierPeakA), 1e-2);
        EXPECT_LT(std::abs(f.ripplePpV - fine.ripplePpV), 1e-3 * fine.dcOutputV);
        EXPECT_LT(relative(f.pivV, fine.pivV), 1e-3);

        const SupplyWaveform &w = run.waveform;
        const auto n = static_cast<std::size_t>(steps);
        ASSERT_EQ(w.timeS.size(), n);
        ASSERT_EQ(w.outputV.size(), n);
        ASSERT_EQ(w.windingA.size(), n);
        EXPECT_NEAR(w.timeS.back() + w.timeS[1], 1 / s.mainsHz, 1e-12);
        double sum = 0, peak = 0;
        for (std::size_t i = 0; i < n; ++i) {
            sum += w.outputV[i];
            peak = std::max(peak, std::abs(w.windingA[i]));
        }
        EXPECT_NEAR(sum / static_cast<double>(n), f.dcOutputV, 1e-9 * f.dcOutputV);
        EXPECT_NEAR(peak, f.windingPeakA, 1e-9 * peak);
        EXPECT_FALSE(run.state.empty());
    }
}

TEST(SupplySimulation, PublishedFigureFor5U4GCapacitorInput)
{
    // The maker's regulation curves: 550-0-550 V, 85 ohm per half, 10 uF, 125 mA: about 620 V.
    const SupplyFigures f = steady(spread().front().circuit);
    EXPECT_LT(relative(f.dcOutputV, 620), 0.04) << f.dcOutputV;
    EXPECT_GT(f.cycles, 0);
    EXPECT_LE(f.cycles, kMaxSupplyCycles);
}

TEST(SupplySimulation, ColdStartAtThePeakIntoEmptyCapacitors)
{
    // At switch-on the capacitor holds 0 V, so the first current is the peak EMF less the
    // forward voltage over the path's resistance.
    struct Case
    {
        RectifierCircuit circuit;
        double vac, pathOhm, forwardV, diodeOhm;
        int elements;
    };
    const Case cases[] = {{RC::HalfWave, 230, 10, 0.7, 0.5, 1},
                          {RC::FullWaveCentreTap, 300, 40, 0.7, 0.0, 1},
                          {RC::Bridge, 120, 2, 0.8, 0.25, 2}};
    for (const Case &c : cases) {
        const SupplyCircuit s = {
            50, c.vac, c.pathOhm, c.circuit, law(c.forwardV, c.diodeOhm), {cap(470)}, amps(0.1)};
        const SupplyFigures f = steady(s);
        const SwitchOnFigures on = simulateSwitchOn(s, f.dcOutputV);
        const double expected = (std::numbers::sqrt2 * c.vac - c.elements * c.forwardV) /
                                (c.pathOhm + c.elements * c.diodeOhm);
        EXPECT_LT(relative(on.surgePeakA, expected), 1e-3) << on.surgePeakA << " vs " << expected;
        ASSERT_TRUE(on.timeTo90S.has_value());
        EXPECT_GT(*on.timeTo90S, 0);
    }
}

TEST(SupplySimulation, LoadsTheSupplyCannotDeliverFail)
{
    const SupplyCircuit cases[] = {
        // 10 A through 100 ohm from 100 V rms: the output collapses.
        {50, 100, 100, RC::FullWaveCentreTap, law(0.7, 0), {cap(100)}, amps(10)},
        {50, 50, 1000, RC::HalfWave, valve("EZ80"), {cap(47)}, amps(1)},
    };
    for (const SupplyCircuit &s : cases) {
        const auto outcome = simulateSteadyState(s);
        ASSERT_TRUE(std::holds_alternative<SupplyFailure>(outcome));
        EXPECT_NE(std::get<SupplyFailure>(outcome).reason.find("collapses"), std::string::npos);
    }
    // A supply that does not pass the checks is refused with its reason, not simulated.
    SupplyCircuit empty = cases[0];
    empty.filter.clear();
    const auto refused = simulateSteadyState(empty);
    ASSERT_TRUE(std::holds_alternative<SupplyFailure>(refused));
    EXPECT_NE(std::get<SupplyFailure>(refused).reason.find("filter is empty"), std::string::npos);
    EXPECT_EQ(simulateSwitchOn(empty, 100).surgePeakA, 0);
}

TEST(SupplyCurves, RegulationPointsAreDirectRunsAndWindingCurveFollowsThem)
{
    for (const auto &[name, s] : spread()) {
        // The regulation points are direct runs at 0.1 .. 1.5 in steps of 0.1: the output falls
        // as the load rises.
        const SupplyLoadCurves curves = supplyLoadCurves(s);
        const std::vector<RegulationPoint> &points = curves.regulation;
        ASSERT_EQ(points.size(), static_cast<std::size_t>(kDesignRegulationPoints)) << name;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double scale = kDesignRegulationStep * static_cast<double>(i + 1);
            EXPECT_NEAR(points[i].loadScale, scale, 1e-12) << name;
            const SupplyFigures direct = steady(scaledLoad(s, scale));
            EXPECT_LT(relative(points[i].dcOutputV, direct.dcOutputV), 1e-4)
                << name << " at " << scale;
            if (i > 0) {
                EXPECT_LT(points[i].dcOutputV, points[i - 1].dcOutputV) << name << " point " << i;
                EXPECT_GT(points[i].loadA, points[i - 1].loadA) << name << " point " << i;
            }
        }
        // The winding curve meets the plain run at the nominal load and follows direct runs
        // between and beyond its samples.
        ASSERT_TRUE(std::holds_alternative<WindingCurrentCurve>(curves.windingCurrent)) << name;
        const WindingCurrentCurve &winding = std::get<WindingCurrentCurve>(curves.windingCurrent);
        EXPECT_LT(relative(winding.rmsAt(1.0), steady(s).windingRmsA), 1e-5) << name;
        for (const double scale : {0.2, 0.45, 0.7, 0.9, 1.12, 1.4, 1.8}) {
            const SupplyFigures direct = steady(scaledLoad(s, scale));
            EXPECT_LT(relative(winding.rmsAt(scale), direct.windingRmsA), 2e-3)
                << name << " at " << scale;
        }
    }
}

} // namespace
} // namespace ferrolux
