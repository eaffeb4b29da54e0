// The temperature-rise models against figures worked out by hand, and the engineering checks
// on analysed designs: the worked example's figures, headroom edge cases, the load scale
// (non-monotonic heat included), the mains sweep and rectifier factors.

#include "analysis.h"
#include "analysis_steps.h"
#include "default_files.h"
#include "engineering_checks.h"
#include "evaluation.h"
#include "input_range.h"
#include "thermal_models.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>

namespace ferrolux {
namespace {

// The worked example's surface and mean dimension: S = 476.08 cm², L = (11.3 + 9.6 + 9.7)/3 cm.
constexpr ThermalGeometry kExample{476.08, 0.102};

TEST(ThermalModels, PowerLawsAgainstHandFigures)
{
    // Heat W, surface cm², McLyman K, Amidon K. ψ = 0.01 W/cm²: 450 · 10^-1.652 = 10.028 and
    // 10^0.833 = 6.808; the worked example's 4.192 W: 9.03 and 6.12 K.
    const std::tuple<double, double, double, double, double> cases[] = {
        {1, 100, 10.028, 6.808, 0.002}, {4.192, 476.08, 9.027, 6.123, 0.002}, {0, 100, 0, 0, 0}};
    const ThermalInputs defaults;
    for (const auto &[heat, surface, mclyman, amidon, tolerance] : cases) {
        const ThermalGeometry geometry{surface, 0.1};
        EXPECT_NEAR(modelRiseK(ThermalModel::McLyman, heat, geometry, defaults), mclyman, tolerance)
            << heat;
        EXPECT_NEAR(modelRiseK(ThermalModel::Amidon, heat, geometry, defaults), amidon, tolerance)
            << heat;
    }
}

TEST(ThermalModels, ConvectionRadiationMeetsTheEnergyBalance)
{
    // Heat, ambient, emissivity: the rise must give back the heat to 1e-6 relative. The
    // balance itself (convection 1.32 (ΔT/L)^0.25 plus grey-body radiation) is checked by the
    // worked example's 8.39 K below and in EngineeringChecks.
    const std::tuple<double, double, double> cases[] = {{4.192, 40, 0.9}, {1e-6, 40, 0.9},
                                                        {0.5, -50, 0.01}, {50, 100, 1},
                                                        {10000, 25, 0.5}, {4.192, 40, 0.075}};
    for (const auto &[heat, ambient, emissivity] : cases) {
        const ThermalInputs in{.ambientC = ambient, .emissivity = emissivity};
        const double rise = modelRiseK(ThermalModel::ConvectionRadiation, heat, kExample, in);
        ASSERT_GT(rise, 0) << heat;
        EXPECT_NEAR(convectionRadiationHeatW(rise, kExample, in), heat, 1e-6 * heat) << heat;
        // The smallest root: a rise 1e-6 K lower gives off less than the heat.
        EXPECT_LT(convectionRadiationHeatW(rise - 1e-6, kExample, in), heat) << heat;
    }
    EXPECT_EQ(modelRiseK(ThermalModel::ConvectionRadiation, 0, kExample, ThermalInputs{}), 0);
    // The worked example with the defaults: about 8.4 K. At 25 °C the surface radiates less,
    // and the balance overtakes McLyman's 9.03 K.
    EXPECT_NEAR(modelRiseK(ThermalModel::ConvectionRadiation, 4.192, kExample, ThermalInputs{}),
                8.39, 0.01);
    const ThermalInputs cool{.ambientC = 25};
    EXPECT_EQ(hottestEstimate(modelEstimates(4.192, kExample, cool)).model,
              ThermalModel::ConvectionRadiation);
}

TEST(ThermalModels, HeatAtRiseInvertsEachModel)
{
    for (const ThermalModel model : kThermalModels) {
        for (const double rise : {0.5, 9.0, 55.0, 140.0}) {
            const double heat = heatAtRiseW(model, rise, kExample, ThermalInputs{});
            EXPECT_NEAR(modelRiseK(model, heat, kExample, ThermalInputs{}), rise, 1e-9 * rise)
                << thermalModelKey(model) << " " << rise;
        }
    }
}

TEST(ThermalModels, ClassLimitsAndNames)
{
    const std::tuple<const char *, double> cases[] = {
        {"A", 105}, {"e", 120}, {"B", 130}, {"F", 155}, {"h", 180}};
    for (const auto &[name, limit] : cases) {
        const auto c = insulationClassFromName(name);
        ASSERT_TRUE(c) << name;
        EXPECT_EQ(classLimitC(*c), limit) << name;
    }
    for (const char *bad : {"", "C", "AB", "1"}) {
        EXPECT_FALSE(insulationClassFromName(bad)) << bad;
    }
}

// The one number rule of the checks' inputs: a plain decimal (sign, digits, one point, nothing
// around them) inside the quantity's range, ends included; anything else is no value.
TEST(InputRanges, PlainDecimalsInsideTheRangeOnly)
{
    // Texts read against the ambient's -50 to 100.
    const std::pair<const char *, std::optional<double>> ambient[] = {
        {"55", 55},    {"-12.5", -12.5}, {"+7", 7},     {".5", 0.5},    {"0.00001", 0.00001},
        {"100", 100},  {"-50", -50},     {"100.5", {}}, {"-50.01", {}}, {"", {}},
        {"abc", {}},   {" 60", {}},      {"60 ", {}},   {"1e1", {}},    {"25,5", {}},
        {"1.2.3", {}}, {".", {}},        {"-", {}},     {"0x1A", {}},   {"nan", {}},
    };
    for (const auto &[text, value] : ambient) {
        EXPECT_EQ(numberInRange(text, kAmbientRange), value) << text;
    }
    // The other ranges' ends.
    const std::tuple<const char *, InputRange, std::optional<double>> others[] = {
        {"0.01", kEmissivityRange, 0.01}, {"0.009", kEmissivityRange, {}},
        {"1", kEmissivityRange, 1},       {"50", kHotSpotAllowanceRange, 50},
        {"-0.5", kCoreLossRange, {}},     {"10000", kCoreLossRange, 10000},
    };
    for (const auto &[text, range, value] : others) {
        EXPECT_EQ(numberInRange(text, range), value) << text;
    }
    EXPECT_FALSE(numberInRange(std::string(400, '9'), kCoreLossRange)); // too large for a double
}

const DissipationLimits kLimits{2.5, 4.5, 1.5, 2.5};

Evaluation workedExample()
{
    Design design;
    design.run = exampleLastRun();
    return evaluate(design, kLimits);
}

// One secondary of `volts`, `amps` (0: found by the search) and `ohms` on a potted cube of
// `side` cm, entered as the form would; limits 2.5 and 4.5.
Evaluation oneWinding(double vp, double rp, double volts, double amps, double ohms, double side,
                      bool loading)
{
    const auto text = [](double value) { return std::to_string(value); };
    Design d;
    d.run.primaryVoltage = text(vp);
    d.run.primaryResistance = text(rp);
    d.run.secondaryCount = "1";
    d.run.secondaries[0] = {text(volts), text(ohms), text(amps)};
    d.run.typeCode = static_cast<int>(TransformerType::MilitaryPotted);
    d.run.x = d.run.y = d.run.z = text(side);
    d.run.loading = loading ? 1 : 0;
    const Evaluation e = evaluate(d, kLimits);
    EXPECT_TRUE(e.ok()) << e.refusal->message;
    return e;
}

// The checks of an evaluation with other thermal inputs.
EngineeringChecks checksWith(const Evaluation &e, const ThermalInputs &in)
{
    return withThermalInputs(e, in).checks.checks;
}

double hottestAt(const Evaluation &e, const ThermalInputs &in, double scale)
{
    double hottest = -INFINITY;
    for (const ModelEstimate &m : hotSpotsAtLoadScale(*e.numeric, *e.result, in, scale)) {
        hottest = std::max(hottest, m.hotSpotC);
    }
    return hottest;
}

// 100 V on 1 Ω feeding 50 V at 1 A from 2 Ω, no loading correction, 1 W of core loss. At +10 %:
// Pd = 1.1² · 2 = 2.42 W, Ip = (60.5 + 2.42) / 110 = 0.572 A, core 1.21 W.
TEST(EngineeringChecks, MainsSweepScalesVoltagesCurrentsAndCoreLoss)
{
    const EngineeringChecks c =
        checksWith(oneWinding(100, 1, 50, 1, 2, 5, false), {.coreLossW = 1});
    const MainsPoint &high = c.mains.back();
    EXPECT_EQ(high.percent, 10);
    EXPECT_NEAR(high.primaryVoltage, 110, 1e-12);
    EXPECT_NEAR(high.secondaryVoltagesLoaded.at(0), 55, 1e-12);
    EXPECT_NEAR(high.heatW, 2.42 + 0.572 * 0.572 + 1.21, 1e-12);
    EXPECT_LT(c.mains.front().hottestC, c.mains[1].hottestC);
}

TEST(EngineeringChecks, HeadroomEdgeCases)
{
    // Volts, ohms, plate limit, current; the plate flag and current limit expected (the filament
    // limit stays 4.5). L·Vs / (Rs·(100 − L)): 2.5·350/(67.4·97.5) = 0.1331507 and
    // 4.5·30/(1·95.5) = 1.4136126.
    const std::tuple<double, double, double, double, bool, std::optional<double>> cases[] = {
        {350, 67.4, 2.5, 0.2, true, 0.1331507},      {30, 1, 2.5, 1, false, 1.4136126},
        {30.001, 1, 0, 1, true, std::nullopt},       {350, 67.4, 100, 0.2, true, std::nullopt},
        {350, 67.4, 150, 0.2, true, std::nullopt},   {350, 67.4, -5, 0.2, true, std::nullopt},
        {-350, 67.4, 2.5, 0.2, false, std::nullopt}, {350, -67.4, 2.5, -0.2, true, std::nullopt}};
    for (const auto &[volts, ohms, plate, amps, isPlate, limit] : cases) {
        TransformerDesign d = *workedExample().numeric;
        d.secondaries = {{volts, amps, ohms}};
        d.plateLimit = plate;
        // Headroom reads the current after the search; negative figures would stop the
        // analysis itself, so the result is built by hand.
        AnalysisResult result;
        result.secondaries.resize(1);
        result.secondaries[0].current = amps;
        const EngineeringChecks c = runEngineeringChecks(d, result, ThermalInputs{});
        const WindingHeadroom &h = c.headroom.at(0);
        EXPECT_EQ(h.plate, isPlate) << volts;
        EXPECT_EQ(h.limitPercent, isPlate ? plate : 4.5) << volts;
        ASSERT_EQ(h.currentLimit.has_value(), limit.has_value()) << volts << " " << plate;
        EXPECT_EQ(h.loadPercent.has_value(), limit.has_value());
        if (limit) {
            EXPECT_NEAR(*h.currentLimit, *limit, 1e-7) << volts;
        }
    }
}

// A current left at 0 is found by the search, which raises it in 1 % steps and stops at the
// first step past the limit: the winding is flagged as found and sits between 100 % and one or
// two steps (1.01² = 1.0201) above its limit current L·Vs / (Rs·(100 − L)). A current given,
// even one far above the limit, is never flagged.
TEST(EngineeringChecks, HeadroomFlagsTheCurrentsTheSearchFound)
{
    // Volts, amps entered, ohms; whether the search found it.
    const std::tuple<double, double, double, bool> cases[] = {
        {350, 0, 67.4, true},    {6.3, 0, 0.12, true},  {30, 0, 1, true},
        {350, 0.2, 67.4, false}, {6.3, 2, 0.12, false}, {6.3, 9, 0.12, false},
    };
    for (const auto &[volts, amps, ohms, found] : cases) {
        const WindingHeadroom h =
            oneWinding(117, 2, volts, amps, ohms, 8, false).checks.checks.headroom.at(0);
        EXPECT_EQ(h.foundBySearch, found) << volts << " V, " << amps << " A";
        ASSERT_TRUE(h.loadPercent) << volts;
        const double L = h.plate ? 2.5 : 4.5;
        EXPECT_NEAR(*h.currentLimit, L * volts / (ohms * (100 - L)), 1e-9);
        if (found) {
            EXPECT_GE(*h.loadPercent, 100.0) << volts;
            EXPECT_LE(*h.loadPercent, 102.01 + 1e-9) << volts;
        }
    }
}

// The heat of a 100 V, 100 Ω primary feeding a 100 V winding of 1 mΩ at 1 A with the loading
// correction on: the reflected 100 Ω takes the loaded voltage to zero near k = 1, so the
// primary loss 100·(k − k²)² rises to 6.25 W at k = 0.5, falls to nearly 0 at k = 1 and rises
// again. A 2.5 cm cube reaches the class limit on the first rise, a 4 cm cube only after the
// fall; either way no smaller scale is as hot.
TEST(EngineeringChecks, LoadScaleFindsTheFirstCrossingOfANonMonotonicHeat)
{
    for (const double side : {2.5, 4.0}) {
        const Evaluation a = oneWinding(100, 100, 100, 1, 1e-3, side, true);
        const std::optional<double> k = a.checks.checks.thermal.loadScaleAtClassLimit;
        ASSERT_TRUE(k) << side;
        EXPECT_EQ(*k < 0.5, side == 2.5) << *k;
        EXPECT_GT(*k, side == 2.5 ? 0.1 : 1.0) << *k;
        // With and without a core loss, which adds to the heat at every scale.
        for (const ThermalInputs &in : {ThermalInputs{}, ThermalInputs{.coreLossW = 1}}) {
            const double scale = *checksWith(a, in).thermal.loadScaleAtClassLimit;
            EXPECT_NEAR(hottestAt(a, in, scale), 105, 1e-3) << side << " " << in.coreLossW;
            for (int i = 1; i < 200; ++i) {
                EXPECT_LT(hottestAt(a, in, scale * i / 200), 105) << side << " " << i;
            }
        }
    }
}

TEST(EngineeringChecks, LoadScaleZeroAndNone)
{
    const Evaluation example = workedExample();
    // A winding of 1 µΩ on a 1 µΩ primary: 100 times the load still gives off almost nothing.
    const Evaluation cold = oneWinding(117, 1e-6, 6.3, 1, 1e-6, 10, false);
    // Design, inputs, expected scale (nullopt for none), the class verdict.
    const std::tuple<const Evaluation *, ThermalInputs, std::optional<double>, bool> cases[] = {
        {&example, {.coreLossW = 10000}, 0.0, false},
        {&example, {.ambientC = 100}, 0.0, false},
        {&cold, {.insulationClass = InsulationClass::H}, std::nullopt, true},
        {&cold, ThermalInputs{}, std::nullopt, true}};
    for (const auto &[a, in, expected, within] : cases) {
        const EngineeringChecks c = checksWith(*a, in);
        ASSERT_TRUE(c.thermal.available) << c.thermal.unavailableReason;
        EXPECT_EQ(c.thermal.loadScaleAtClassLimit, expected) << in.coreLossW << " " << in.ambientC;
        EXPECT_EQ(c.thermal.withinClass, within);
        EXPECT_EQ(c.thermal.marginK >= 0, within);
    }
}

TEST(EngineeringChecks, UnavailableThermalCheckSaysWhyAndLeavesTheRestStanding)
{
    const std::tuple<ThermalGeometry, ThermalInputs, const char *> cases[] = {
        {{0, 0.1}, {}, "surface"},
        {{-5, 0.1}, {}, "surface"},
        {{476, 0}, {}, "mean of X, Y and Z"},
        {{476, NAN}, {}, "mean of X, Y and Z"},
        {kExample, {.ambientC = 101}, "ambient"},
        {kExample, {.emissivity = 0}, "emissivity"},
        {kExample, {}, ""}};
    for (const auto &[geometry, inputs, words] : cases) {
        const std::string reason = thermalUnavailableReason(geometry, inputs);
        EXPECT_EQ(reason.empty(), std::string(words).empty()) << reason;
        EXPECT_NE(reason.find(words), std::string::npos) << reason;
    }
    const Evaluation e = oneWinding(117, 2, 50, 1, 2, 5, false);
    TransformerDesign d = *e.numeric;
    d.x = -15; // the mean of X, Y and Z below zero
    const EngineeringChecks c = runEngineeringChecks(d, *e.result, ThermalInputs{});
    EXPECT_FALSE(c.thermal.available);
    EXPECT_NE(c.thermal.unavailableReason.find("mean"), std::string::npos);
    EXPECT_FALSE(c.thermal.loadScaleAtClassLimit);
    EXPECT_EQ(c.headroom.size(), 1u);
    ASSERT_EQ(c.mains.size(), 5u);
    EXPECT_TRUE(std::isnan(c.mains[0].hottestC));
    EXPECT_TRUE(hotSpotsAtLoadScale(d, *e.result, ThermalInputs{}, 1).empty());
}

TEST(RectifierLoads, EveryKind)
{
    const std::tuple<LoadKind, const char *, double> cases[] = {
        {LoadKind::AC, "ac", 1},
        {LoadKind::HalfWaveResistive, "half-wave-resistive", 0.64},
        {LoadKind::HalfWaveCapacitor, "half-wave-capacitor", 0.28},
        {LoadKind::FullWaveCtResistive, "full-wave-ct-resistive", 1.27},
        {LoadKind::FullWaveCtCapacitor, "full-wave-ct-capacitor", 1.00},
        {LoadKind::FullWaveCtChoke, "full-wave-ct-choke", 1.54},
        {LoadKind::BridgeResistive, "bridge-resistive", 0.90},
        {LoadKind::BridgeCapacitor, "bridge-capacitor", 0.62},
        {LoadKind::BridgeChoke, "bridge-choke", 0.94}};
    static_assert(std::size(cases) == kLoadKindCount);
    for (const auto &[kind, key, k] : cases) {
        EXPECT_EQ(rectifierFactor(kind), k) << key;
        EXPECT_EQ(loadKindKey(kind), key);
        EXPECT_EQ(loadKindFromKey(key), kind) << key;
        EXPECT_FALSE(loadKindTitle(kind).empty()) << key;
        EXPECT_DOUBLE_EQ(windingCurrent(kind, 0.5), 0.5 / k) << key;
    }
    for (const char *bad : {"", "AC", "bridge", "half-wave-resistive "}) {
        EXPECT_FALSE(loadKindFromKey(bad)) << bad;
    }
}

} // namespace
} // namespace ferrolux
