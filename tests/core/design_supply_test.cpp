// The supply of a design's secondary: its records in the extension block read back unchanged
// (and bad ones kept as written), the source of one path from the design's figures against
// hand-worked values, the entered voltage on load against the closed form of a choke-input
// bridge, the current against mains and load against direct simulations, and the check
// section's lines.

#include "analysis.h"
#include "design_supply.h"
#include "scaled_load.h"
#include "supply_check_lines.h"
#include "supply_parts.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <string>

namespace ferrolux {
namespace {

using RC = RectifierCircuit;

using namespace testing_support;

bool contains(const std::vector<std::string> &lines, const std::string &text)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string &line) {
        return line.find(text) != std::string::npos;
    });
}

TEST(SecondarySupplyRecords, EverySupplyReadsBackAsWritten)
{
    SecondarySupplies supplies{};
    supplies[0] = SecondarySupply{50, RC::FullWaveCentreTap, valve("5U4G"), {cap(10)}, amps(0.125)};
    supplies[2] = {
        60, RC::Bridge, preset("1N4007"), {cap(100), resistor(220), cap(47)}, ohms(2500)};
    supplies[5] = SecondarySupply{50,
                                  RC::HalfWave,
                                  law(0.6, 0.25, 0.01, 1.5),
                                  {choke(5, 90), cap(33.3), choke(1.5, 12.5), cap(0.47)},
                                  amps(0.0125)};
    const std::string bytes = suppliesBytes(supplies);
    // The first supply as the block holds it: the text form's keys and order, prefixed.
    EXPECT_EQ(bytes.substr(0, bytes.find("supply3_")),
              "supply1_mains_hz=50\r\nsupply1_circuit=full-wave-ct\r\nsupply1_valve=5U4G\r\n"
              "supply1_filter=c:10\r\nsupply1_load_a=0.125\r\n");
    const std::string others = "future_key=1\r\nsupply7_circuit=bridge\r\n";
    const SuppliesFromBlock read = suppliesFromRecords(others + bytes);
    EXPECT_EQ(read.supplies, supplies);
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.otherRecords, others);
    EXPECT_TRUE(suppliesBytes(SecondarySupplies{}).empty());
}

TEST(SecondarySupplyRecords, ASupplyThatDoesNotReadIsKeptAsWritten)
{
    // The reasons themselves are the supply's text form's (SupplyCircuit tests).
    const std::pair<std::string, std::string> cases[] = {
        {"supply2_mains_hz=50\r\nsupply2_circuit=bridge\r\nsupply2_diode=1N4007\r\n"
         "supply2_load_a=0.1\r\n",
         "the record filter is missing"},
        // The source comes from the design: a stored one is not taken.
        {"supply2_mains_hz=50\r\nsupply2_vac=300\r\nsupply2_circuit=bridge\r\n"
         "supply2_diode=1N4007\r\nsupply2_filter=c:10\r\nsupply2_load_a=0.1\r\n",
         "unknown record vac"},
        {"supply2_mains_hz=50\r\nsupply2_circuit=bridge\r\nsupply2_diode=1N4007\r\n"
         "supply2_filter=c:10\r\nsupply2_load_a=0.1\r\nsupply2_load_a=0.2\r\n",
         "given twice"},
    };
    for (const auto &[records, reason] : cases) {
        const std::string block = "ambient_x=1\r\n" + records;
        const SuppliesFromBlock read = suppliesFromRecords(block);
        EXPECT_FALSE(read.supplies[1]) << records;
        EXPECT_EQ(read.otherRecords, block) << records;
        ASSERT_EQ(read.problems.size(), 1u) << records;
        EXPECT_NE(read.problems[0].find("secondary 2"), std::string::npos) << read.problems[0];
        EXPECT_NE(read.problems[0].find(reason), std::string::npos) << read.problems[0];
        // A supply given later replaces the kept records rather than sitting beside them.
        SecondarySupplies now{};
        now[1] = SecondarySupply{50, RC::Bridge, preset("1N4007"), {cap(10)}, amps(0.1)};
        EXPECT_EQ(withoutSupplyRecords(block, now), "ambient_x=1\r\n") << records;
    }
}

TEST(WindingSourceFromDesign, PathVoltageAndResistanceAreHandWorked)
{
    struct Case
    {
        RC circuit;
        double vs, rs, vp, rp;
        double pathV, pathOhm;
    };
    const Case cases[] = {
        // 550-0-550 V, 170 ohm end to end: 550 V and 85 ohm a half.
        {RC::FullWaveCentreTap, 1100, 170, 230, 0, 550, 85},
        // Each half refers Rp by (350/350)^2 = 1: 50 + 8.
        {RC::FullWaveCentreTap, 700, 100, 350, 8, 350, 58},
        // Step-up 1:2 whole winding: 5 + 10 * 2^2.
        {RC::Bridge, 220, 5, 110, 10, 220, 45},
        // Step-down 4:1: 1.5 + 16 / 16.
        {RC::HalfWave, 60, 1.5, 240, 16, 60, 2.5},
    };
    for (const Case &c : cases) {
        const WindingSource s = windingSource(c.circuit, c.vs, c.rs, c.vp, c.rp);
        EXPECT_DOUBLE_EQ(s.pathVoltage, c.pathV);
        EXPECT_DOUBLE_EQ(s.pathOhm, c.pathOhm);
    }
}

TEST(DesignSupply, EnteredVoltageOnLoadAddsBackTheWindingDrop)
{
    // A large choke makes the winding current a square wave of the load current I (bridge) or
    // I/√2 a half (centre tap), so the open-circuit voltage is v + R·I_rms and the output the
    // full-wave mean of it less the drops.
    struct Case
    {
        RC circuit;
        double vs, rs, loadA, forwardV, chokeOhm;
        int elements;
    };
    const Case cases[] = {
        {RC::Bridge, 250, 10, 0.5, 0.7, 20, 2},
        {RC::FullWaveCentreTap, 600, 40, 0.2, 0.7, 50, 1},
        {RC::Bridge, 40, 0.5, 3, 1.0, 0.5, 2},
    };
    for (const Case &c : cases) {
        const DesignSupplyResult r = evaluateDesignSupply(
            {50, c.circuit, law(c.forwardV, 0), {choke(100, c.chokeOhm), cap(1000)}, amps(c.loadA)},
            0, {c.vs, c.rs, 230, 0, false});
        ASSERT_TRUE(r.ok()) << *r.failure;
        const bool ct = c.circuit == RC::FullWaveCentreTap;
        const double v = ct ? c.vs / 2 : c.vs, pathOhm = ct ? c.rs / 2 : c.rs;
        const double rms = ct ? c.loadA / std::numbers::sqrt2 : c.loadA;
        const double vac = v + pathOhm * rms;
        EXPECT_LT(relative(r.circuit.windingVac, vac), 5e-4) << r.circuit.windingVac;
        const double mean = 2 * std::numbers::sqrt2 / std::numbers::pi * vac;
        const double dc = mean - c.elements * c.forwardV - c.loadA * (pathOhm + c.chokeOhm);
        EXPECT_LT(relative(r.figures.dcOutputV, dc), 2e-3) << r.figures.dcOutputV << " " << dc;
        // Ticked, the same figures are the open-circuit voltage itself.
        const DesignSupplyResult ticked = evaluateDesignSupply(
            {50, c.circuit, law(c.forwardV, 0), {choke(100, c.chokeOhm), cap(1000)}, amps(c.loadA)},
            0, {c.vs, c.rs, 230, 0, true});
        EXPECT_DOUBLE_EQ(ticked.circuit.windingVac, v);
    }
}

TEST(DesignSupply, CurrentAgainstMainsAndLoadFollowsDirectSimulations)
{
    // A linear rectifier law makes the circuit homogeneous: the factor is exact up to the
    // curve's interpolation. The valve's power law and silicon's knee are not, and the bound
    // below is the error docs/supply-simulation.md states.
    struct Case
    {
        const char *name;
        SecondarySupply supply;
        double vs, rs;
        double bound;
    };
    const Case cases[] = {
        {"linear, capacitor input, current",
         {50, RC::Bridge, law(0, 1), {cap(100), resistor(50), cap(100)}, amps(0.1)},
         300,
         20,
         5e-4},
        {"linear, resistance load",
         {50, RC::FullWaveCentreTap, law(0, 5), {cap(47)}, ohms(4000)},
         700,
         100,
         5e-4},
        {"5U4G capacitor input",
         {50, RC::FullWaveCentreTap, valve("5U4G"), {cap(20), choke(10, 150), cap(40)}, amps(0.15)},
         900,
         150,
         0.01},
        {"1N4007 bridge, low voltage",
         {50, RC::Bridge, preset("1N4007"), {cap(1000)}, amps(0.5)},
         25,
         1,
         1e-3},
    };
    for (const Case &c : cases) {
        const DesignSupplyResult r = evaluateDesignSupply(c.supply, 0, {c.vs, c.rs, 230, 0, true});
        ASSERT_TRUE(r.ok()) << c.name << ": " << *r.failure;
        EXPECT_NEAR(r.currentFactor(1, 1), 1, 1e-12) << c.name;
        // The plot's regulation curve is kept too; its point at the full load is the steady
        // state's own.
        ASSERT_EQ(r.regulation.size(), static_cast<std::size_t>(kDesignRegulationPoints));
        EXPECT_NEAR(r.regulation[9].loadScale, 1, 1e-12) << c.name;
        EXPECT_LT(relative(r.regulation[9].dcOutputV, r.figures.dcOutputV), 1e-4) << c.name;
        const double nominal = r.figures.windingRmsA;
        for (const double mains : {0.9, 1.1}) {
            for (const double load : {0.5, 1.0, 1.3}) {
                SupplyCircuit direct = scaledLoad(r.circuit, load);
                direct.windingVac *= mains;
                const auto run = simulateSteadyState(direct);
                ASSERT_TRUE(std::holds_alternative<SteadyState>(run)) << c.name;
                const double expected = std::get<SteadyState>(run).figures.windingRmsA / nominal;
                EXPECT_LT(relative(r.currentFactor(mains, load), expected), c.bound)
                    << c.name << " mains " << mains << " load " << load << ": "
                    << r.currentFactor(mains, load) << " vs " << expected;
            }
        }
    }
}

TEST(DesignSupply, FailuresAreToldNotSimulated)
{
    const std::pair<SecondarySupply, std::string> cases[] = {
        // Without resistance anywhere in the path the law cannot limit the current.
        {{50, RC::Bridge, law(0.7, 0), {cap(10)}, amps(0.1)}, "no resistance"},
        // 50 A from a 1 ohm, 25 V winding collapses.
        {{50, RC::Bridge, preset("1N4007"), {cap(1000)}, amps(50)}, "cannot deliver"},
    };
    for (const auto &[s, reason] : cases) {
        const double ohm = s.rectifier.kind == RectifierKind::Diode ? 0 : 1;
        const DesignSupplyResult r = evaluateDesignSupply(s, 3, {25, ohm, 230, 0, true});
        ASSERT_FALSE(r.ok()) << reason;
        EXPECT_NE(r.failure->find(reason), std::string::npos) << *r.failure;
        // Without figures the scaled checks scale the current as for any other winding.
        EXPECT_DOUBLE_EQ(r.currentFactor(1.1, 2), 2.2);
        const std::vector<std::string> lines = supplyCheckLines({r});
        EXPECT_TRUE(contains(lines, "Supply of secondary 4")) << reason;
        EXPECT_TRUE(contains(lines, "Not simulated: " + *r.failure)) << reason;
    }
}

TEST(DesignSupply, ScaledChecksMoveASuppliedWindingByItsSimulation)
{
    // Secondary 1 feeds a bridge through a large choke into a constant 0.2 A: its winding
    // carries a 0.2 A square wave whatever the mains (closed form), and 0.2 A times the load
    // scale. Secondary 2 has no supply and scales with both, as before.
    const TransformerDesign design{.primaryVoltage = 230,
                                   .primaryResistance = 4,
                                   .secondaries = {{500, 0.2, 50}, {6.3, 2, 0.1}},
                                   .potted = true,
                                   .x = 8,
                                   .y = 8,
                                   .z = 8,
                                   .correctForLoading = true,
                                   .plateLimit = 2.5,
                                   .filamentLimit = 4.5};
    const AnalysisResult result = std::get<AnalysisResult>(analyseDesign(design));
    const DesignSupplyResult supplied =
        evaluateDesignSupply({50, RC::Bridge, law(0.7, 0), {choke(100, 20), cap(1000)}, amps(0.2)},
                             0, {500, 50, 230, 4, true});
    ASSERT_TRUE(supplied.ok()) << *supplied.failure;
    ScaledLoad load(design, result,
                    {[&](double f, double scale) { return supplied.currentFactor(f, scale); }});
    struct Case
    {
        double voltageFactor, currentFactor;
        double supplied, plain;
    };
    const Case cases[] = {
        {1.0, 1.0, 0.2, 2}, {0.9, 0.9, 0.2, 1.8}, {1.1, 1.1, 0.2, 2.2},
        {1.0, 0.5, 0.1, 1}, {1.0, 1.5, 0.3, 3},
    };
    for (const Case &c : cases) {
        const AnalysisResult &r = load.at(c.voltageFactor, c.currentFactor);
        EXPECT_LT(relative(r.secondaries[0].current, c.supplied), 3e-3)
            << c.voltageFactor << " " << c.currentFactor << ": " << r.secondaries[0].current;
        EXPECT_DOUBLE_EQ(r.secondaries[1].current, c.plain);
    }
}

TEST(SupplyCheckLines, LimitsAreMarkedOrSaidUnknown)
{
    struct Case
    {
        const char *name;
        SecondarySupply supply;
        double vs, rs;
        std::vector<std::string> wanted;
    };
    const Case cases[] = {
        // 5R4GY: at most 4 uF first; 47 uF is broken.
        {"broken capacitor",
         {50, RC::FullWaveCentreTap, valve("5R4GY"), {cap(47)}, amps(0.1)},
         1400,
         300,
         {"Limits of the 5R4GY:", "BROKEN"}},
        // 5V4G: no figure was found in any source.
        {"unknown limits",
         {50, RC::FullWaveCentreTap, valve("5V4G"), {cap(10)}, amps(0.1)},
         700,
         100,
         {"No published limits known for the 5V4G"}},
        {"law",
         {50, RC::Bridge, law(0.7, 0.5), {cap(100)}, amps(0.1)},
         300,
         10,
         {"A diode given by its law has no published limits"}},
        {"entered on load",
         {50, RC::Bridge, preset("1N4007"), {cap(100)}, amps(0.1)},
         300,
         10,
         {"(300 V entered, on load)", "1N4007 diode", " ok"}},
    };
    for (const Case &c : cases) {
        const bool openCircuit = std::string(c.name) != "entered on load";
        const DesignSupplyResult r =
            evaluateDesignSupply(c.supply, 1, {c.vs, c.rs, 230, 0, openCircuit});
        ASSERT_TRUE(r.ok()) << c.name;
        EXPECT_GT(r.switchOn.surgePeakA, 0) << c.name; // the switch-on run was made
        const std::vector<std::string> lines = supplyCheckLines({r});
        EXPECT_EQ(lines.front(), "") << c.name;
        EXPECT_TRUE(contains(lines, "Supply of secondary 2")) << c.name;
        EXPECT_TRUE(contains(lines, "DC output")) << c.name;
        for (const std::string &text : c.wanted) {
            EXPECT_TRUE(contains(lines, text)) << c.name << ": " << text;
        }
    }
    EXPECT_TRUE(supplyCheckLines({}).empty());
}

} // namespace
} // namespace ferrolux
