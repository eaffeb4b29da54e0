// The bench keys of the JSON on a design: the measured rise with its calibrated rows, the VA
// budget with the fuse and the lamination against the load, against hand-worked figures.

#include "bench_json.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace ferrolux {
namespace {

using Json = nlohmann::ordered_json;

// 300 V 0.1 A + 6.3 V 3.9 A + 5 V 1.9 A = 64.07 VA at an efficiency of 0.9 from 230 V.
AnalysisResult handWorkedAnalysis()
{
    AnalysisResult r;
    r.primaryVoltage = 230;
    r.secondaries = {SecondaryResult{300, 0.1, 0, 300, 0, 30, 0},
                     SecondaryResult{6.3, 3.9, 0, 6.3, 0, 24.57, 0},
                     SecondaryResult{5, 1.9, 0, 5, 0, 9.5, 0}};
    r.primaryPower = 64.07 / 0.9;
    return r;
}

// 10 W over 100 cm²: McLyman 67.18 K.
EngineeringChecks tenWatts()
{
    EngineeringChecks checks;
    ThermalCheck &t = checks.thermal;
    t.available = true;
    t.heatW = 10;
    t.surfaceCm2 = 100;
    t.meanLengthM = 0.05;
    t.models = {ModelEstimate{ThermalModel::McLyman, 67.18, 0},
                ModelEstimate{ThermalModel::Amidon, 46.34, 0},
                ModelEstimate{ThermalModel::ConvectionRadiation, 40, 0}};
    return checks;
}

Json benchJson(const BenchRecords &records, const SupplyCurrents &supplies = {})
{
    ThermalInputs inputs;
    inputs.ambientC = 30;
    const BenchEvaluation bench =
        evaluateBench(records, handWorkedAnalysis(), tenWatts(), inputs, supplies);
    Json json = Json::object();
    addBenchJson(json, bench, records);
    return Json::parse(json.dump());
}

TEST(BenchJson, KeysForWhatTheDesignHolds)
{
    BenchRecords none;
    BenchRecords measured;
    measured.measurements.emplace();
    measured.measurements->windings[0] = WindingReading{10, 25, 11}; // 25.95 K
    measured.measurements->calibration = {0.5, std::nullopt, std::nullopt};
    BenchRecords laminated;
    laminated.lamination = LaminationChoice{"EI96", {}, {}};
    laminated.lamination->conditions.stackCm = 3.2;
    struct Case
    {
        const char *what;
        BenchRecords records;
        std::vector<const char *> keys;
    };
    const Case cases[] = {
        {"nothing but the budget", none, {"va_budget"}},
        {"measured", measured, {"measured_rise", "va_budget"}},
        {"a lamination", laminated, {"va_budget", "lamination"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const Json json = benchJson(c.records);
        std::vector<std::string> keys;
        for (const auto &item : json.items()) {
            keys.push_back(item.key());
        }
        EXPECT_EQ(keys, std::vector<std::string>(c.keys.begin(), c.keys.end()));
    }

    const Json rise = benchJson(measured)["measured_rise"];
    EXPECT_NEAR(rise["average_rise_k"].get<double>(), 25.95, 1e-9);
    EXPECT_EQ(rise["windings"][0]["winding"], "Primary");
    ASSERT_EQ(rise["calibrated"].size(), 1U);
    // 0.5 · 67.18 K = 33.59 K over the check's 30 °C, plus the 10 K allowance.
    EXPECT_EQ(rise["calibrated"][0]["calibrated"], true);
    EXPECT_EQ(rise["calibrated"][0]["model"], "mclyman");
    EXPECT_NEAR(rise["calibrated"][0]["winding_c"].get<double>(), 63.59, 1e-9);
    EXPECT_NEAR(rise["calibrated"][0]["hot_spot_c"].get<double>(), 73.59, 1e-9);

    const Json budget = benchJson(none)["va_budget"];
    EXPECT_NEAR(budget["total_va"].get<double>(), 64.07, 1e-9);
    EXPECT_NEAR(budget["primary_current_a"].get<double>(), 0.309517, 1e-6);
    EXPECT_EQ(budget["primary_fuse"]["rating_a"].get<double>(), 0.5);
    // A supply's 0.2 A on the 300 V winding: 94.07 VA and an 800 mA fuse.
    const Json supplied = benchJson(none, {0.2})["va_budget"];
    EXPECT_NEAR(supplied["total_va"].get<double>(), 94.07, 1e-9);
    EXPECT_EQ(supplied["secondaries"][0]["from_supply"], true);
    EXPECT_EQ(supplied["primary_fuse"]["rating_a"].get<double>(), 0.8);

    const Json lamination = benchJson(laminated)["lamination"];
    EXPECT_EQ(lamination["primary_turns"], 887);
    EXPECT_EQ(lamination["load"], "under"); // 86.05 VA against 64.07 VA
    EXPECT_NEAR(lamination["design_va"].get<double>(), 64.07, 1e-9);
}

TEST(BenchCheckLines, FollowTheCheckSection)
{
    BenchRecords records;
    records.measurements.emplace();
    records.measurements->windings[2] = WindingReading{10, 25, 11};
    records.measurements->calibration = {std::nullopt, std::nullopt, 1.25};
    records.lamination = LaminationChoice{"EI97", {}, {}};
    ThermalInputs inputs;
    inputs.ambientC = 30;
    const BenchEvaluation bench = evaluateBench(records, handWorkedAnalysis(), tenWatts(), inputs);
    const auto has = [&](std::string_view part) {
        for (const std::string &line : bench.checkLines) {
            if (line.find(part) != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(has("Secondary 2 "));
    // 1.25 · 40 K = 50 K: 80 °C, 90 °C with the allowance.
    EXPECT_TRUE(has("Calibrated Convection and radiation (x 1.250): rise 50.00 K, winding 80.0"));
    EXPECT_TRUE(has("Primary fuse 500 mA T"));
    EXPECT_TRUE(has("Lamination EI97: no estimate, no lamination named"));
}

} // namespace
} // namespace ferrolux
