// Calculate: the analysis of the window's inputs and the report written from its results.

#include "analysis.h"
#include "report.h"
#include "worked_example_input.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace ferrolux {
namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

// The input text behind a window field's object name ("TxtPriV", "TxtSec1R_1", ...).
std::string &field(AnalysisInput &in, const std::string &name)
{
    if (name.starts_with("TxtSec1")) {
        SecondaryTexts &row = in.secondaries.at(static_cast<std::size_t>(name.back() - '0'));
        return name[7] == 'V' ? row.voltage : name[7] == 'R' ? row.resistance : row.current;
    }
    return name == "TxtPriV"    ? in.primaryVoltage
           : name == "TxtPriR"  ? in.primaryResistance
           : name == "TxtNoSec" ? in.secondaryCount
           : name == "TxtX"     ? in.x
           : name == "TxtY"     ? in.y
           : name == "TxtZ"     ? in.z
           : name == "TxtA"     ? in.a
           : name == "TxtB"     ? in.b
                                : in.c;
}

// The analysis of `in` with some of its fields changed.
AnalysisOutcome analysed(AnalysisInput in, const Fields &changes = {})
{
    for (const auto &[name, text] : changes) {
        field(in, name) = text;
    }
    return analyseTransformer(in);
}

// One 50-ohm secondary, no loading correction, a potted 2 x 3 x 4 box, limits 2.5 and 4.5.
AnalysisInput oneSecondary(const char *volts, const char *amps, double plate, double filament)
{
    SecondaryRows rows;
    rows[0] = {volts, "50", amps};
    return {"117", "2", "1", rows, "2", "3", "4", "", "", "", true, false, plate, filament};
}

TEST(Analysis, SearchPicksFirstCurrentAndLimitByVoltageAndGivenCurrentsAreKept)
{
    // Volts, current given, plate limit, filament limit, current found. A current of 0 is
    // searched: 1.01 times the first current when the limit is reached at once, and an overflow
    // (0 here) when a limit above 100 % lets the current grow. Any other current is taken as
    // given, a negative one and one of 1e-200, whose square underflows, too.
    const std::tuple<const char *, const char *, double, double, double> cases[] = {
        {"30", "0", 0, 0, 0.101},    {"30.001", "0", 0, 0, 0.00101},
        {"30", "0", 101, -5, 0.101}, {"30.001", "0", -5, 101, 0.00101},
        {"30", "0", 0, 101, 0},      {"30.001", "0", 101, 0, 0},
        {"350", "-2", 2.5, 4.5, -2}, {"350", "1e-200", 2.5, 4.5, 1e-200}};
    for (const auto &[volts, amps, plateLimit, filamentLimit, expected] : cases) {
        const AnalysisOutcome outcome =
            analysed(oneSecondary(volts, amps, plateLimit, filamentLimit));
        if (expected != 0) {
            EXPECT_DOUBLE_EQ(std::get<AnalysisResult>(outcome).secondaries.at(0).current, expected)
                << amps;
            continue;
        }
        const Refusal &refusal = std::get<Refusal>(outcome);
        EXPECT_EQ(refusal.fault, ArithmeticFault::Overflow) << volts;
        EXPECT_EQ(refusal.quantity, "Secondary 1 Current Search") << volts;
    }
}

TEST(Analysis, SurfaceOfEachConstruction)
{
    // Potted, A, B, C, surface. A = 0 gives W = Z/2, A = Z gives W = 0; the potted box is
    // 2XY + 2XZ + 2YZ whatever A, B and C hold.
    const std::tuple<bool, const char *, const char *, const char *, double> cases[] = {
        {false, "0", "1", "1", 28}, {false, "1", "2", "1", 34}, {false, "4", "1", "1", 28},
        {true, "0", "0", "0", 52},  {true, "1", "0", "", 52},   {true, "-1", "-1", "-1", 52}};
    for (const auto &[potted, a, b, c, surface] : cases) {
        AnalysisInput in = oneSecondary("350", "1", 2.5, 4.5);
        in.potted = potted;
        const auto outcome = analysed(in, {{"TxtA", a}, {"TxtB", b}, {"TxtC", c}});
        EXPECT_EQ(std::get<AnalysisResult>(outcome).surfaceCm2, surface)
            << a << "/" << b << "/" << c;
    }
}

TEST(Analysis, PottedBoxNeedsOnlyXYZAboveZero)
{
    // Field changed in the potted 2 x 3 x 4 box, the field refused (None: accepted). The box
    // never reads A, B or C.
    const std::tuple<const char *, const char *, DesignField> cases[] = {
        {"TxtX", "0", DesignField::DimensionX},  {"TxtY", "", DesignField::DimensionY},
        {"TxtZ", "-4", DesignField::DimensionZ}, {"TxtX", "1e-300", DesignField::None},
        {"TxtA", "-1", DesignField::None},       {"TxtC", "-1", DesignField::None}};
    for (const auto &[name, text, refused] : cases) {
        const AnalysisOutcome outcome =
            analysed(oneSecondary("350", "1", 2.5, 4.5), {{name, text}});
        const Refusal *refusal = std::get_if<Refusal>(&outcome);
        if (refused == DesignField::None) {
            EXPECT_EQ(refusal, nullptr) << name << "=" << text << ": " << refusal->message;
            continue;
        }
        ASSERT_NE(refusal, nullptr) << name << "=" << text;
        EXPECT_EQ(refusal->kind, RefusalKind::Impossible) << name;
        EXPECT_EQ(refusal->field, refused) << name;
    }
}

TEST(Analysis, RefusalsNameTheFirstFault)
{
    using F = DesignField;
    const auto zero = RefusalKind::ZeroField, count = RefusalKind::CountOutOfRange,
               box = RefusalKind::Dimensions, math = RefusalKind::Arithmetic,
               impossible = RefusalKind::Impossible;
    const std::string Vp = "TxtPriV", Rp = "TxtPriR", n = "TxtNoSec", V1 = "TxtSec1V_1",
                      R0 = "TxtSec1R_0", R1 = "TxtSec1R_1", R5 = "TxtSec1R_5", I2 = "TxtSec1I_2";
    // Seven secondaries: the six rows are read and tested before the count is refused.
    const Fields seven = {{n, "7"}, {"TxtSec1V_4", "1"}, {"TxtSec1R_4", "1"}, {"TxtSec1V_5", "1"}};
    Fields sevenValid = seven;
    sevenValid.emplace_back(R5, "1");
    const std::string whatKind = "What kind of transformer do you have?\nA, B and C MUST all "
                                 "be zero or\nMUST ALL have nonzero values.";
    // Fields changed in the worked example, kind, field and row blamed, a part of the message.
    const std::tuple<Fields, RefusalKind, DesignField, int, std::string> cases[] = {
        {{{Vp, ""}}, zero, F::PrimaryVoltage, 0, ""},
        {{{Vp, "abc"}, {Rp, "0"}}, zero, F::PrimaryVoltage, 0, ""},
        {{{Rp, "0.0"}}, zero, F::PrimaryResistance, 0, ""},
        {{{R0, "0"}, {V1, "0"}}, zero, F::SecondaryResistance, 0, ""},
        {{{R1, "0"}, {V1, ""}}, zero, F::SecondaryVoltage, 1, ""},
        {{{R1, "0"}},
         zero,
         F::SecondaryResistance,
         1,
         "Secondary 2 Resistance is zero, empty or not a number."},
        {{{Rp, "-2.05"}}, impossible, F::PrimaryResistance, 0, "Primary resistance is negative."},
        {{{"TxtSec1R_3", "-0.3"}},
         impossible,
         F::SecondaryResistance,
         3,
         "Secondary 4 Resistance is negative."},
        {{{R0, "-1"}, {V1, "0"}}, impossible, F::SecondaryResistance, 0, ""},
        {{{"TxtSec1R_2", "-10"}}, impossible, F::SecondaryResistance, 2, ""},
        // Negative resistances before the count: the rows are read first.
        {{{R1, "-7.6"}, {n, "2"}, {"TxtB", "0"}}, impossible, F::SecondaryResistance, 1, ""},
        {{{n, "0"}}, count, F::SecondaryCount, 0, "Number of secondaries must be from 1 to 6."},
        {{{n, "-1"}}, count, F::SecondaryCount, 0, ""},
        {seven, zero, F::SecondaryResistance, 5, ""},
        {sevenValid, count, F::SecondaryCount, 0, ""},
        {{{n, "99999"}, {"TxtSec1V_0", "0"}}, count, F::SecondaryCount, 0, ""},
        // The count is rounded half to even: 3.5 reads four rows, 2.5 only two.
        {{{n, "3.5"}, {"TxtSec1V_3", "0"}}, zero, F::SecondaryVoltage, 3, ""},
        {{{n, "2.5"}, {"TxtSec1V_2", "0"}, {"TxtB", "0"}}, box, F::DimensionB, 0, ""},
        {{{"TxtA", "0"}, {"TxtB", "0"}}, box, F::DimensionB, 0, whatKind},
        {{{"TxtC", "0"}}, box, F::DimensionC, 0, ""},
        // Before the count is refused.
        {{{n, ""}, {"TxtB", "0"}}, box, F::DimensionB, 0, ""},
        {{{Vp, "1e999"}}, math, F::PrimaryVoltage, 0, "overflow in primary voltage"},
        {{{I2, "-1e999"}}, math, F::SecondaryCurrent, 2, "overflow in secondary 3 current"},
        {{{"TxtZ", "1e999"}}, math, F::DimensionZ, 0, "overflow in dimension z"},
        // Dimensions no transformer has, after the dimension message's case.
        {{{"TxtX", "0"}, {"TxtZ", "4.0"}},
         impossible,
         F::DimensionX,
         0,
         "Dimension X must be more than zero."},
        {{{"TxtY", "-9.6"}}, impossible, F::DimensionY, 0, "Dimension Y must be more than zero."},
        {{{"TxtZ", ""}, {"TxtX", "-1"}}, impossible, F::DimensionX, 0, ""},
        {{{"TxtZ", "abc"}}, impossible, F::DimensionZ, 0, ""},
        {{{"TxtA", "-0.5"}}, impossible, F::DimensionA, 0, "Dimension A is negative."},
        {{{"TxtB", "-8.4"}}, impossible, F::DimensionB, 0, "Dimension B is negative."},
        {{{"TxtC", "-1e-9"}}, impossible, F::DimensionC, 0, "Dimension C is negative."},
        {{{"TxtC", "-1"}, {"TxtB", "0"}}, box, F::DimensionB, 0, whatKind},
        {{{"TxtA", "9.71"}},
         impossible,
         F::DimensionA,
         0,
         "Dimension A is larger than dimension Z."}};
    for (const auto &[changes, kind, blamedField, blamedRow, message] : cases) {
        const std::string name = changes.back().first + "=" + changes.back().second;
        const AnalysisOutcome outcome = analysed(testing_support::workedExampleInput(), changes);
        const Refusal *refusal = std::get_if<Refusal>(&outcome);
        ASSERT_NE(refusal, nullptr) << name << ": not refused";
        EXPECT_EQ(refusal->kind, kind) << name;
        EXPECT_EQ(refusal->field, blamedField) << name;
        EXPECT_EQ(refusal->row, blamedRow) << name;
        EXPECT_NE(refusal->message.find(message), std::string::npos)
            << name << ": " << refusal->message;
    }
    // The window's inputs cannot hold a seventh secondary; a design built in code can.
    TransformerDesign design =
        std::get<TransformerDesign>(parseDesign(testing_support::workedExampleInput()));
    design.secondaries.resize(7, design.secondaries[0]);
    EXPECT_EQ(std::get<Refusal>(analyseDesign(design)).kind, RefusalKind::CountOutOfRange);
}

TEST(Report, FiveLinesForEachSecondaryThenTheTotals)
{
    const AnalysisOutcome outcome = analyseTransformer(testing_support::workedExampleInput());
    ASSERT_TRUE(std::holds_alternative<AnalysisResult>(outcome));
    EXPECT_EQ(buildReport(std::get<AnalysisResult>(outcome)),
              testing_support::workedExampleReport());
    // Six secondaries give ten more lines before the rule.
    AnalysisResult result;
    result.secondaries.resize(6);
    const std::vector<std::string> lines = buildReport(result);
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines[30], "Secondayr 6     Voltage = 0.000     Volts");
    EXPECT_EQ(lines[35], std::string(58, '-'));
}

} // namespace
} // namespace ferrolux
