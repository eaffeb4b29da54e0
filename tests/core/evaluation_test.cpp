// A design's one evaluation, which every front end shows: the report and the checks, a refusal,
// other thermal inputs, a supplied secondary (its source worked out by hand) and the bench slots;
// and the words and counts the check section and the form share.

#include "check_verdict.h"
#include "default_files.h"
#include "design.h"
#include "evaluation.h"
#include "hand_worked_bench.h"
#include "json_report.h"
#include "secondary_rows.h"
#include "supply_check_lines.h"
#include "supply_parts.h"
#include "worked_example_input.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>

namespace ferrolux {
namespace {

using testing_support::workedExampleReport;
using namespace testing_support;

const DissipationLimits kFirstStartLimits{2.5, 4.5, 1.5, 2.5};

Design workedExample()
{
    Design design;
    design.run = exampleLastRun();
    return design;
}

TEST(Evaluate, TheWorkedExampleGivesItsReportAndAMatchingCheckSection)
{
    const Evaluation e = evaluate(workedExample(), kFirstStartLimits);
    ASSERT_TRUE(e.ok());
    EXPECT_FALSE(e.refusal);
    EXPECT_EQ(e.reportLines, workedExampleReport());
    // What was evaluated travels with the figures, so a page prints the inputs they belong to.
    EXPECT_EQ(e.design, workedExample());
    EXPECT_EQ(e.limits.OCPPDis, 2.5);
    ASSERT_FALSE(e.checkLines.empty());
    EXPECT_EQ(e.checkLines.front(), "Engineering checks");
    // Four secondaries: one headroom row each, five mains points, and a load curve from 0 %.
    EXPECT_EQ(e.checks.checks.headroom.size(), 4u);
    EXPECT_EQ(e.checks.checks.mains.size(), 5u);
    ASSERT_FALSE(e.checks.loadCurve.empty());
    EXPECT_EQ(e.checks.loadCurve.front().loadPercent, 0);
}

// Which field each refusal names is the analysis's (Analysis tests); here the refusal reaches the
// evaluation whole and leaves it without figures.
TEST(Evaluate, ARefusalNamesItsFieldAndCarriesNoFigures)
{
    // Refused while the texts are read, and by the analysis of the numbers read.
    const std::tuple<std::string LastRun::*, RefusalKind, DesignField, const char *> cases[] = {
        {&LastRun::primaryVoltage, RefusalKind::ZeroField, DesignField::PrimaryVoltage,
         "Primary voltage is zero, empty or not a number."},
        {&LastRun::secondaryCount, RefusalKind::CountOutOfRange, DesignField::SecondaryCount,
         "Number of secondaries must be from 1 to 6."}};
    for (const auto &[text, kind, field, message] : cases) {
        Design design = workedExample();
        design.run.*text = "0";
        const Evaluation e = evaluate(design, kFirstStartLimits);
        EXPECT_FALSE(e.ok());
        ASSERT_TRUE(e.refusal) << message;
        EXPECT_EQ(e.refusal->kind, kind);
        EXPECT_EQ(e.refusal->field, field);
        EXPECT_NE(e.refusal->message.find(message), std::string::npos) << e.refusal->message;
        EXPECT_TRUE(e.reportLines.empty());
        EXPECT_TRUE(e.checkLines.empty());
        EXPECT_TRUE(e.checks.loadCurve.empty());
    }
}

TEST(Evaluate, OtherThermalInputsRedoTheChecksAndLeaveTheReport)
{
    const Evaluation first = evaluate(workedExample(), kFirstStartLimits);
    ASSERT_TRUE(first.ok());
    const ThermalInputs hotter{80, InsulationClass::B, 5, 0, 0.9};
    const Evaluation second = withThermalInputs(first, hotter);
    EXPECT_EQ(second.reportLines, first.reportLines);
    EXPECT_EQ(second.design.extras.thermal, hotter);
    EXPECT_NE(second.checkLines, first.checkLines);
    // Every model's hot spot is ambient + rise + allowance; McLyman's rise depends on the heat
    // and the surface alone, so it is the same at either ambient.
    for (const Evaluation *e : {&first, &second}) {
        const ThermalInputs &in = e->design.extras.thermal;
        for (const ModelEstimate &m : e->checks.checks.thermal.models) {
            EXPECT_NEAR(m.hotSpotC, in.ambientC + m.riseK + in.hotSpotAllowanceK, 1e-9);
        }
    }
    EXPECT_NEAR(second.checks.checks.thermal.models[0].riseK,
                first.checks.checks.thermal.models[0].riseK, 1e-12);
    EXPECT_EQ(second.checks.checks.thermal.classLimitC, 130);
    // A refused evaluation stays refused and gets no figures.
    Design refusedDesign = workedExample();
    refusedDesign.run.primaryVoltage = "";
    const Evaluation refused =
        withThermalInputs(evaluate(refusedDesign, kFirstStartLimits), hotter);
    EXPECT_TRUE(refused.refusal);
    EXPECT_TRUE(refused.checkLines.empty());
}

TEST(DesignSupplyEvaluation, SourceSectionJsonAndMainsSweepFollowTheSupply)
{
    const Design plain = workedExample();
    Design supplied = plain;
    supplied.supplies[0] = {
        50, RectifierCircuit::Bridge, preset("1N4007"), {choke(100, 100), cap(100)}, amps(0.1)};
    const Evaluation without = evaluate(plain, kFirstStartLimits);
    const Evaluation with = evaluate(supplied, kFirstStartLimits);
    ASSERT_TRUE(without.ok() && with.ok());
    ASSERT_EQ(with.supplies.size(), 1u);
    const DesignSupplyResult &s = with.supplies[0];
    ASSERT_TRUE(s.ok()) << *s.failure;
    // Secondary 1 of the example: 350 V, 67.4 ohm, loading ticked; primary 117 V, 2.05 ohm.
    // The bridge's path is the whole winding: 67.4 + 2.05 * (350 / 117)^2 = 85.745 ohm.
    EXPECT_DOUBLE_EQ(s.circuit.windingVac, 350);
    EXPECT_NEAR(s.circuit.windingOhm, 85.745, 1e-3);
    // The report is the same; the checks hold the supply's section whole, after a blank line
    // (the bench's lines follow it).
    EXPECT_EQ(with.reportLines, without.reportLines);
    const std::vector<std::string> section = supplyCheckLines(with.supplies);
    const auto at =
        std::search(with.checkLines.begin(), with.checkLines.end(), section.begin(), section.end());
    ASSERT_NE(at, with.checkLines.end());
    EXPECT_EQ(section.front(), "");
    EXPECT_EQ(section.at(1), "Supply of secondary 1: bridge, 1N4007 diode");
    // The VA budget counts the supplied winding at its simulated RMS current, the others as
    // entered or found.
    ASSERT_TRUE(with.bench.vaBudget);
    const auto *budget = std::get_if<DesignVaBudget>(&*with.bench.vaBudget);
    ASSERT_NE(budget, nullptr);
    EXPECT_TRUE(budget->fromSupply.at(0));
    EXPECT_DOUBLE_EQ(budget->secondaryAmps.at(0), s.figures.windingRmsA);
    EXPECT_FALSE(budget->fromSupply.at(1));
    EXPECT_EQ(std::find_if(without.checkLines.begin(), without.checkLines.end(),
                           [](const std::string &l) { return l.starts_with("Supply"); }),
              without.checkLines.end());
    // The JSON carries "supplies" only when there are some.
    EXPECT_EQ(jsonReport(without).find("\"supplies\""), std::string::npos);
    const std::string json = jsonReport(with);
    EXPECT_NE(json.find("\"supplies\""), std::string::npos);
    EXPECT_NE(json.find("\"dc_output_v\""), std::string::npos);
    // A choke-input winding carries the constant load current whatever the mains, where the
    // resistance rule raises it with the mains: less heat above nominal, more below, the same
    // at nominal.
    const auto heat = [](const Evaluation &e, double percent) {
        for (const MainsPoint &p : e.checks.checks.mains) {
            if (p.percent == percent) {
                return p.heatW;
            }
        }
        return -1.0;
    };
    EXPECT_DOUBLE_EQ(heat(with, 0), heat(without, 0));
    EXPECT_LT(heat(with, 10), heat(without, 10));
    EXPECT_GT(heat(with, -10), heat(without, -10));
}

TEST(DesignBench, EvaluatedWithTheChecks)
{
    const Evaluation plain = evaluate(workedExample(), kFirstStartLimits);
    ASSERT_TRUE(plain.ok());
    EXPECT_FALSE(plain.bench.rise);
    EXPECT_FALSE(plain.bench.lamination);
    ASSERT_TRUE(plain.bench.vaBudget);
    // Without supplies the budget's primary current is the analysis's own.
    const auto &budget = std::get<DesignVaBudget>(*plain.bench.vaBudget);
    EXPECT_NEAR(budget.budget.primaryAmps, plain.result->primaryCurrent,
                1e-9 * plain.result->primaryCurrent);

    Design benchDesign = workedExample();
    addBench(benchDesign);
    const Evaluation bench = evaluate(benchDesign, kFirstStartLimits);
    ASSERT_TRUE(bench.bench.rise && bench.bench.lamination);
    ASSERT_EQ(bench.bench.rise->calibrated.size(), 2U);
    // The calibrated McLyman row is 1.2 times the check's McLyman rise.
    const ModelEstimate &mcLyman = bench.checks.checks.thermal.models[0];
    EXPECT_NEAR(bench.bench.rise->calibrated[0].riseK, 1.2 * mcLyman.riseK, 1e-9);
    const auto hasLine = [](const Evaluation &e, std::string_view part) {
        for (const std::string &line : e.checkLines) {
            if (line.find(part) != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(hasLine(bench, "Calibrated McLyman (x 1.200)"));
    EXPECT_TRUE(hasLine(bench, "Lamination EI96"));
    EXPECT_TRUE(hasLine(plain, "Primary fuse"));
    // Other thermal inputs: the calibrated rows follow the new ambient.
    ThermalInputs warmer = bench.design.extras.thermal;
    warmer.ambientC += 10;
    const Evaluation again = withThermalInputs(bench, warmer);
    EXPECT_NEAR(again.bench.rise->calibrated[0].windingC,
                bench.bench.rise->calibrated[0].windingC + 10, 1e-6);
}

TEST(Temperatures, OneConversionBothWays)
{
    // Water's freezing and boiling points, and the point where both scales agree.
    const std::pair<double, double> cases[] = {{0, 32}, {100, 212}, {-40, -40}, {37, 98.6}};
    for (const auto &[celsius, fahrenheit] : cases) {
        EXPECT_NEAR(fahrenheitFromCelsius(celsius), fahrenheit, 1e-12) << celsius;
        EXPECT_NEAR(celsiusFromFahrenheit(fahrenheit), celsius, 1e-12) << fahrenheit;
    }
}

TEST(Verdict, WordsFollowTheMarginAndTheLoadScale)
{
    struct Case
    {
        double hottestC;
        std::optional<double> scale;
        const char *said;
    };
    const Case cases[] = {
        {59.04, 2.993,
         "Within class A: hottest estimate 59.0 \xC2\xB0"
         "C (McLyman), margin 46 K; the load may rise to 299 % before the class limit."},
        {117, 0.9,
         "Over class A: hottest estimate 117.0 \xC2\xB0"
         "C (McLyman), 12 K above its 105 \xC2\xB0"
         "C limit; the load must fall to 90 % to meet the class limit."},
        {60, std::nullopt, "; no load up to 10000 % reaches the class limit."},
        {110, 0.0, "; the core loss alone reaches the class limit."},
    };
    for (const Case &c : cases) {
        ThermalCheck thermal;
        thermal.available = true;
        thermal.classLimitC = 105;
        thermal.hottestC = c.hottestC;
        thermal.marginK = 105 - c.hottestC;
        thermal.withinClass = thermal.marginK >= 0;
        thermal.loadScaleAtClassLimit = c.scale;
        const std::string sentence = verdictSentence(thermal, ThermalInputs{});
        EXPECT_NE(sentence.find(c.said), std::string::npos) << sentence;
    }
    ThermalCheck none;
    none.unavailableReason = "the surface is not positive";
    EXPECT_EQ(verdictSentence(none, ThermalInputs{}),
              "No temperature check: the surface is not positive");
}

// The fixed report's radiation-only temperature against the ambient: the worked example's 4.19 W
// over 476 cm² radiates at 106 °C; on a 1000 cm box, 2.04e6 cm², at
// (10000 · 4.19 / 2.04e6 / (0.075 · 5.67e-8))^(1/4) = 46.9 K, that is -226.1 °C
// (the report takes 273 off the kelvin).
TEST(Verdict, ReportTemperatureBelowTheAmbientIsFlaggedAndSaid)
{
    // The example's own box at 40 and 100 °C, then the 1000 cm box at 40 and -50 °C.
    for (const auto &[cold, ambient] :
         {std::pair{false, 40.0}, {false, 100.0}, {true, 40.0}, {true, -50.0}}) {
        Design design = workedExample();
        if (cold) {
            design.run.x = design.run.y = design.run.z = "1000";
        }
        design.extras.thermal.ambientC = ambient;
        const Evaluation e = evaluate(design, kFirstStartLimits);
        EXPECT_NEAR(e.checks.checks.reportTemperatureC, cold ? -226.1 : 106, cold ? 0.1 : 0.5);
        EXPECT_EQ(e.checks.checks.reportTemperatureBelowAmbient, cold) << ambient;
    }
    EXPECT_EQ(belowAmbientSentence(-226.1, 40), "The fixed report's temperature, -226 \xC2\xB0"
                                                "C, is below the ambient 40.0 \xC2\xB0"
                                                "C, so it means nothing for this design.");
}

TEST(SecondaryCount, RowsShownForTheCountText)
{
    const std::pair<const char *, int> cases[] = {
        {"4", 4},     {"1", 1},      {"6", 6},     {"7", 6},      {"0", 0},
        {"-3", 0},    {"", 0},       {"abc", 0},   {"2.5", 2},    {"3.5", 4},
        {"1e400", 6}, {"-1e400", 0}, {"99999", 6}, {"-99999", 0},
    };
    for (const auto &[text, rows] : cases) {
        EXPECT_EQ(visibleSecondaryRows(text), rows) << text;
    }
}

} // namespace
} // namespace ferrolux
