// The temperature-rise models against figures worked out by hand, and the convection and
// radiation balance against its own equation.

#include "thermal_models.h"

#include <cmath>
#include <gtest/gtest.h>
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

// Heat given off at a rise, written out from the balance: natural convection
// h = 1.32 (ΔT/L)^0.25 plus grey-body radiation, over A = S/10000 m².
double balanceHeat(double rise, const ThermalGeometry &g, const ThermalInputs &in)
{
    const double ta = in.ambientC + 273.15;
    const double h = 1.32 * std::pow(rise / g.meanLengthM, 0.25);
    const double sigma = 5.670374419e-8;
    return g.surfaceCm2 / 1e4 *
           (h * rise + in.emissivity * sigma * (std::pow(ta + rise, 4) - std::pow(ta, 4)));
}

TEST(ThermalModels, ConvectionRadiationMeetsTheEnergyBalance)
{
    // Heat, ambient, emissivity: the rise must give back the heat to 1e-6 relative.
    const std::tuple<double, double, double> cases[] = {{4.192, 40, 0.9}, {1e-6, 40, 0.9},
                                                        {0.5, -50, 0.01}, {50, 100, 1},
                                                        {10000, 25, 0.5}, {4.192, 40, 0.075}};
    for (const auto &[heat, ambient, emissivity] : cases) {
        ThermalInputs in;
        in.ambientC = ambient;
        in.emissivity = emissivity;
        const double rise = modelRiseK(ThermalModel::ConvectionRadiation, heat, kExample, in);
        ASSERT_GT(rise, 0) << heat;
        EXPECT_NEAR(balanceHeat(rise, kExample, in), heat, 1e-6 * heat) << heat << " W";
        EXPECT_NEAR(convectionRadiationHeatW(rise, kExample, in), heat, 1e-6 * heat);
        // The smallest root: a rise 1e-6 K lower gives off less than the heat.
        EXPECT_LT(balanceHeat(rise - 1e-6, kExample, in), heat) << heat;
    }
    EXPECT_EQ(modelRiseK(ThermalModel::ConvectionRadiation, 0, kExample, ThermalInputs{}), 0);
    // The worked example with the defaults: about 8.4 K.
    EXPECT_NEAR(modelRiseK(ThermalModel::ConvectionRadiation, 4.192, kExample, ThermalInputs{}),
                8.39, 0.01);
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

TEST(ThermalModels, HotSpotsAndTheHottest)
{
    ThermalInputs in;
    in.ambientC = 25;
    in.hotSpotAllowanceK = 5;
    const auto estimates = modelEstimates(4.192, kExample, in);
    double hottest = 0;
    for (const ModelEstimate &e : estimates) {
        EXPECT_DOUBLE_EQ(e.hotSpotC, 25 + e.riseK + 5) << thermalModelKey(e.model);
        hottest = std::max(hottest, e.hotSpotC);
    }
    // At 25 °C the surface radiates less, and the balance overtakes McLyman's 9.03 K.
    EXPECT_EQ(hottestEstimate(estimates).hotSpotC, hottest);
    EXPECT_EQ(hottestEstimate(estimates).model, ThermalModel::ConvectionRadiation);
}

TEST(ThermalModels, UnavailableGeometryAndInputsSayWhy)
{
    ThermalInputs hot;
    hot.ambientC = 101;
    ThermalInputs dull;
    dull.emissivity = 0;
    const std::tuple<ThermalGeometry, ThermalInputs, const char *> cases[] = {
        {{0, 0.1}, {}, "surface"},
        {{-5, 0.1}, {}, "surface"},
        {{476, 0}, {}, "mean of X, Y and Z"},
        {{476, NAN}, {}, "mean of X, Y and Z"},
        {kExample, hot, "ambient"},
        {kExample, dull, "emissivity"},
        {kExample, {}, ""}};
    for (const auto &[geometry, inputs, words] : cases) {
        const std::string reason = thermalUnavailableReason(geometry, inputs);
        EXPECT_EQ(reason.empty(), std::string(words).empty()) << reason;
        EXPECT_NE(reason.find(words), std::string::npos) << reason;
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

} // namespace
} // namespace ferrolux
