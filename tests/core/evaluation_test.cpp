// The design as one value (its file and its save rule) and its one evaluation, which every
// front end shows.

#include "check_verdict.h"
#include "default_files.h"
#include "design.h"
#include "evaluation.h"
#include "secondary_rows.h"
#include "worked_example_input.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace ferrolux {
namespace {

using testing_support::joinRecords;
using testing_support::workedExampleRecords;
using testing_support::workedExampleReport;

const DissipationLimits kFirstStartLimits{2.5, 4.5, 1.5, 2.5};

Design workedExample()
{
    Design design;
    design.run = exampleLastRun();
    return design;
}

TEST(DesignFile, OneSaveRuleKeepsAPlainDesignToItsThirtyRecordsAndReadsBackWhatItWrites)
{
    struct Case
    {
        const char *name;
        void (*change)(Design &);
        bool block; // the extension block follows the 30 records
    };
    const Case cases[] = {
        {"nothing beyond the records", [](Design &) {}, false},
        {"a hotter chassis", [](Design &d) { d.extras.thermal.ambientC = 55; }, true},
        {"a rectifier load",
         [](Design &d) {
             d.extras.loads[2] = {LoadKind::BridgeChoke, "0.25"};
         },
         true},
        {"a key of a later version", [](Design &d) { d.extras.keptRecords = "future_key=7\r\n"; },
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Design design = workedExample();
        c.change(design);
        const std::string bytes = designFileBytes(design);
        // The 30 records as Close always wrote them open every saved design.
        const std::string thirty = lastRunFileBytes(design.run);
        ASSERT_EQ(bytes.substr(0, thirty.size()), thirty);
        EXPECT_EQ(bytes.size() > thirty.size(), c.block);
        EXPECT_EQ(bytes.find(kDesignExtrasMarker) != std::string::npos, c.block);
        const DesignFileRead read = readDesignFile(bytes);
        EXPECT_TRUE(read.complete());
        EXPECT_EQ(read.design, design);
    }
}

TEST(DesignFile, AShortFileSaysWhereItStoppedAndKeepsWhatWasRead)
{
    struct Case
    {
        int records; // leading records of the worked example kept
        const char *primaryVoltage;
    };
    for (const Case &c : {Case{0, ""}, Case{2, "117"}, Case{29, "117"}}) {
        SCOPED_TRACE(c.records);
        std::vector<std::string> records = workedExampleRecords();
        records.resize(static_cast<std::size_t>(c.records));
        const DesignFileRead read = readDesignFile(joinRecords(records));
        EXPECT_FALSE(read.complete());
        EXPECT_EQ(read.recordsRead, c.records);
        EXPECT_FALSE(read.failure.empty());
        EXPECT_EQ(read.design.run.primaryVoltage, c.primaryVoltage);
        EXPECT_EQ(read.design.extras, DesignExtras{});
    }
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

TEST(Evaluate, ARefusalNamesItsFieldAndCarriesNoFigures)
{
    struct Case
    {
        std::string &(*text)(LastRun &);
        const char *value;
        RefusalKind kind;
        DesignField field;
        int row;
        const char *message; // "" when only the kind and field are checked
    };
    const Case cases[] = {
        {[](LastRun &r) -> std::string & { return r.primaryVoltage; }, "abc",
         RefusalKind::ZeroField, DesignField::PrimaryVoltage, 0,
         "Primary voltage is zero, empty or not a number."},
        {[](LastRun &r) -> std::string & { return r.primaryResistance; }, "",
         RefusalKind::ZeroField, DesignField::PrimaryResistance, 0,
         "Primary resistance is zero, empty or not a number."},
        {[](LastRun &r) -> std::string & { return r.secondaries[1].resistance; }, "0",
         RefusalKind::ZeroField, DesignField::SecondaryResistance, 1,
         "Secondary 2 Resistance is zero, empty or not a number."},
        {[](LastRun &r) -> std::string & { return r.secondaryCount; }, "0",
         RefusalKind::CountOutOfRange, DesignField::SecondaryCount, 0, ""},
        {[](LastRun &r) -> std::string & { return r.b; }, "0", RefusalKind::Dimensions,
         DesignField::DimensionB, 0, ""},
    };
    for (const Case &c : cases) {
        Design design = workedExample();
        std::string &text = c.text(design.run);
        SCOPED_TRACE(text + " -> " + c.value);
        text = c.value;
        const Evaluation e = evaluate(design, kFirstStartLimits);
        EXPECT_FALSE(e.ok());
        ASSERT_TRUE(e.refusal);
        EXPECT_EQ(e.refusal->kind, c.kind);
        EXPECT_EQ(e.refusal->field, c.field);
        EXPECT_EQ(e.refusal->row, c.row);
        if (*c.message) {
            EXPECT_EQ(e.refusal->message, c.message);
        }
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
