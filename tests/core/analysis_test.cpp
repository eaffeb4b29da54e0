#include "analysis.h"
#include "checked_arithmetic.h"
#include "worked_example_input.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

// GCC 12 reports a false -Wrestrict inside std::string assignment once the lambdas of the
// refusal table are inlined (GCC bug 105329); the assignments are ordinary.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

namespace ferrolux {
namespace {

using testing_support::workedExampleInput;

// One plate winding, no loading correction, a potted 2 x 3 x 4 box.
AnalysisInput oneSecondary(const std::string &volts, const std::string &amps)
{
    AnalysisInput in;
    in.primaryVoltage = "117";
    in.primaryResistance = "2";
    in.secondaryCount = "1";
    in.secondaries[0] = {volts, "50", amps};
    in.x = "2";
    in.y = "3";
    in.z = "4";
    in.potted = true;
    in.plateLimit = 2.5;
    in.filamentLimit = 4.5;
    return in;
}

AnalysisResult analysed(const AnalysisInput &in)
{
    const AnalysisOutcome outcome = analyseTransformer(in);
    if (const auto *refusal = std::get_if<Refusal>(&outcome)) {
        ADD_FAILURE() << "refused: " << refusal->message;
        return {};
    }
    return std::get<AnalysisResult>(outcome);
}

Refusal refused(const AnalysisInput &in)
{
    const AnalysisOutcome outcome = analyseTransformer(in);
    if (!std::holds_alternative<Refusal>(outcome)) {
        ADD_FAILURE() << "the analysis was not refused";
        return {};
    }
    return std::get<Refusal>(outcome);
}

struct ValueCase
{
    const char *name;
    std::function<double(const AnalysisResult &)> value;
    double expected;
    double tolerance;
};

TEST(AnalysisTest, WorkedExampleMatchesTheStatedValues)
{
    const AnalysisResult r = analysed(workedExampleInput());
    ASSERT_EQ(r.secondaries.size(), 4u);
    // Found currents within 1e-9 relative: one step more or less would be 1 % off.
    const double plate = 0.001, filament = 0.1;
    const ValueCase cases[] = {
        {"Is1 after 493 steps", [](auto &x) { return x.secondaries[0].Is; },
         plate * std::pow(1.01, 493), 1e-9 * plate * std::pow(1.01, 493)},
        {"Is2 after 494 steps", [](auto &x) { return x.secondaries[1].Is; },
         plate * std::pow(1.01, 494), 1e-9 * plate * std::pow(1.01, 494)},
        {"Is3 kept", [](auto &x) { return x.secondaries[2].Is; }, 3.0, 0},
        {"Is4 after 328 steps", [](auto &x) { return x.secondaries[3].Is; },
         filament * std::pow(1.01, 328), 1e-9 * filament * std::pow(1.01, 328)},
        {"S", [](auto &x) { return x.S; }, 476.08, 1e-9},
        {"VL1", [](auto &x) { return x.secondaries[0].VL; }, 338.42, 0.005},
        {"VL2", [](auto &x) { return x.secondaries[1].VL; }, 38.931, 0.0005},
        {"VL3", [](auto &x) { return x.secondaries[2].VL; }, 4.9874, 0.00005},
        {"VL4", [](auto &x) { return x.secondaries[3].VL; }, 6.3137, 0.00005},
        {"Pin", [](auto &x) { return x.Pin; }, 85.573, 0.0005},
        {"Ip", [](auto &x) { return x.Ip; }, 0.73139, 0.000005},
        {"Pdp", [](auto &x) { return x.Pdp; }, 1.0966, 0.00005},
        {"Pcp", [](auto &x) { return x.Pcp; }, 1.2653, 0.00005},
        {"Pdt", [](auto &x) { return x.Pdt; }, 4.1920, 0.00005},
        {"Pct", [](auto &x) { return x.Pct; }, 4.8367, 0.00005},
        {"PD", [](auto &x) { return x.PD; }, 88.051, 0.0005},
        {"T", [](auto &x) { return x.T; }, 223.40, 0.005},
    };
    for (const ValueCase &c : cases) {
        EXPECT_NEAR(c.value(r), c.expected, c.tolerance) << c.name;
    }
}

TEST(AnalysisTest, SearchPicksFirstCurrentAndLimitByVoltage)
{
    struct Case
    {
        const char *volts;
        double plateLimit, filamentLimit;
        double expectedCurrent; // 0: the search must end on overflow
    } const cases[] = {
        {"30", 0, 0, 0.101},          // filament: 1.01 x 0.1 A
        {"30.001", 0, 0, 0.00101},    // plate: 1.01 x 0.001 A
        {"30", 101, -5, 0.101},       // only the filament limit counts
        {"30.001", -5, 101, 0.00101}, // only the plate limit counts
        // Above 100 % the limit is out of reach: the current grows until it overflows.
        {"30", 0, 101, 0},
        {"30.001", 101, 0, 0},
    };
    for (const Case &c : cases) {
        AnalysisInput in = oneSecondary(c.volts, "0");
        in.plateLimit = c.plateLimit;
        in.filamentLimit = c.filamentLimit;
        if (c.expectedCurrent == 0) {
            const Refusal refusal = refused(in);
            EXPECT_EQ(refusal.kind, RefusalKind::Arithmetic) << c.volts;
            EXPECT_EQ(refusal.fault, ArithmeticFault::Overflow) << c.volts;
            EXPECT_EQ(refusal.quantity, "Secondary 1 Current Search") << c.volts;
        } else {
            EXPECT_DOUBLE_EQ(analysed(in).secondaries[0].Is, c.expectedCurrent) << c.volts;
        }
    }
}

TEST(AnalysisTest, GivenCurrentsAreNeverSearchedAndLoadingOffKeepsVoltage)
{
    for (const char *amps : {"3.0", "-2", "1e-3"}) {
        const AnalysisResult r = analysed(oneSecondary("350", amps));
        ASSERT_EQ(r.secondaries.size(), 1u);
        const SecondaryResult &s = r.secondaries[0];
        EXPECT_EQ(s.Is, std::stod(amps)) << amps;
        EXPECT_EQ(s.VL, s.Vs) << amps;
        EXPECT_EQ(s.Po, s.Is * s.Vs) << amps;
        EXPECT_EQ(r.Pdt, r.Pdp + s.Pd) << amps;
    }
}

TEST(AnalysisTest, CountIsRoundedHalfToEven)
{
    const std::pair<const char *, std::size_t> cases[] = {{"2.5", 2}, {"3.5", 4}, {" 1", 1}};
    for (const auto &[text, expected] : cases) {
        AnalysisInput in = workedExampleInput();
        in.secondaries[4] = in.secondaries[5] = {"12", "1", "1"};
        in.secondaryCount = text;
        EXPECT_EQ(analysed(in).secondaries.size(), expected) << text;
    }
}

TEST(AnalysisTest, SurfaceAndDimensionMessage)
{
    const std::string dimensionMessage = "What kind of transformer do you have?\n"
                                         "A, B, C and D MUST all be zero or\n"
                                         "MUST ALL have nonzero values.";
    struct Case
    {
        bool potted;
        const char *a, *b, *c;
        double expectedSurface; // 0: the dimension message
    } const cases[] = {
        {false, "0", "1", "1", 28}, // A = 0: W = Z/2, 12 + 0 + 8 + 8
        {false, "1", "2", "1", 34}, // W = 1.5: 12 + 4 + 12 + 6
        {false, "1", "0", "1", 0},  {false, "1", "1", "0", 0}, {false, "0", "0", "0", 0},
        {false, "", "", "1", 0},    {true, "0", "0", "0", 52}, // the X by Y by Z box
        {true, "1", "0", "", 52},
    };
    for (const Case &c : cases) {
        AnalysisInput in = oneSecondary("350", "1");
        in.potted = c.potted;
        in.a = c.a, in.b = c.b, in.c = c.c;
        const std::string name = std::string(c.a) + "/" + c.b + "/" + c.c;
        if (c.expectedSurface == 0) {
            const Refusal refusal = refused(in);
            EXPECT_EQ(refusal.kind, RefusalKind::Dimensions) << name;
            EXPECT_EQ(refusal.message, dimensionMessage) << name;
        } else {
            EXPECT_EQ(analysed(in).S, c.expectedSurface) << name;
        }
    }
}

TEST(AnalysisTest, RefusalsNameTheFirstFault)
{
    struct Case
    {
        const char *name;
        std::function<void(AnalysisInput &)> change;
        RefusalKind kind;
        const char *field;
        const char *message; // nullptr: not checked
    } const cases[] = {
        {"empty Vp", [](AnalysisInput &in) { in.primaryVoltage = ""; }, RefusalKind::ZeroField,
         "TxtPriV", "Primary voltage is zero or empty."},
        {"text Vp", [](AnalysisInput &in) { in.primaryVoltage = "abc"; }, RefusalKind::ZeroField,
         "TxtPriV", nullptr},
        {"Vp before Rp",
         [](AnalysisInput &in) { in.primaryVoltage = "0", in.primaryResistance = "0"; },
         RefusalKind::ZeroField, "TxtPriV", nullptr},
        {"zero Rp", [](AnalysisInput &in) { in.primaryResistance = "0.0"; }, RefusalKind::ZeroField,
         "TxtPriR", "Primary resistance is zero or empty."},
        {"row 1 before row 2",
         [](AnalysisInput &in) {
             in.secondaries[0].resistance = "0", in.secondaries[1].voltage = "0";
         },
         RefusalKind::ZeroField, "TxtSec1R_0", nullptr},
        {"voltage before resistance",
         [](AnalysisInput &in) {
             in.secondaries[0].resistance = "0", in.secondaries[0].voltage = "";
         },
         RefusalKind::ZeroField, "TxtSec1V_0", "Secondary 1 Voltage is zero or empty."},
        {"zero Rs2", [](AnalysisInput &in) { in.secondaries[1].resistance = "0"; },
         RefusalKind::ZeroField, "TxtSec1R_1", "Secondary 2 Resistance is zero or empty."},
        {"n = 0", [](AnalysisInput &in) { in.secondaryCount = "0"; }, RefusalKind::CountOutOfRange,
         "TxtNoSec", nullptr},
        {"n = -1", [](AnalysisInput &in) { in.secondaryCount = "-1"; },
         RefusalKind::CountOutOfRange, "TxtNoSec", nullptr},
        {"n = 0, dimension message first",
         [](AnalysisInput &in) { in.secondaryCount = "", in.b = "0"; }, RefusalKind::Dimensions,
         "TxtB", nullptr},
        {"n = 7, six rows tested first",
         [](AnalysisInput &in) {
             in.secondaryCount = "7";
             in.secondaries[4] = {"12", "1", "1"};
             in.secondaries[5] = {"12", "0", "1"};
         },
         RefusalKind::ZeroField, "TxtSec1R_5", nullptr},
        {"n = 7",
         [](AnalysisInput &in) {
             in.secondaryCount = "7";
             in.secondaries[4] = in.secondaries[5] = {"12", "1", "1"};
         },
         RefusalKind::CountOutOfRange, "TxtNoSec", "Number of secondaries must be from 1 to 6."},
        {"n = 99999 before any row",
         [](AnalysisInput &in) { in.secondaryCount = "99999", in.secondaries[0].voltage = "0"; },
         RefusalKind::CountOutOfRange, "TxtNoSec", nullptr},
        {"n = 1e999", [](AnalysisInput &in) { in.secondaryCount = "1e999"; },
         RefusalKind::CountOutOfRange, "TxtNoSec", nullptr},
        {"huge Vp", [](AnalysisInput &in) { in.primaryVoltage = "1e999"; }, RefusalKind::Arithmetic,
         "TxtPriV", "Calculation stopped: overflow in primary voltage."},
        {"huge current", [](AnalysisInput &in) { in.secondaries[2].current = "-1e999"; },
         RefusalKind::Arithmetic, "TxtSec1I_2", nullptr},
        {"S = 0", [](AnalysisInput &in) { in.potted = true, in.x = in.y = in.z = ""; },
         RefusalKind::Arithmetic, "", "Calculation stopped: division by zero in power density."},
    };
    for (const Case &c : cases) {
        AnalysisInput in = workedExampleInput();
        c.change(in);
        const Refusal refusal = refused(in);
        EXPECT_EQ(refusal.kind, c.kind) << c.name;
        EXPECT_EQ(refusal.field, c.field) << c.name;
        if (c.message != nullptr) {
            EXPECT_EQ(refusal.message, c.message) << c.name;
        }
    }
}

TEST(AnalysisTest, ArithmeticFaultsStopAtTheirQuantity)
{
    struct Case
    {
        const char *volts, *ohms, *amps;
        ArithmeticFault fault;
        const char *quantity;
    } const cases[] = {
        // Pd + Po = 4 - 4: the percentage divides by zero.
        {"-2", "1", "2", ArithmeticFault::DivisionByZero, "Secondary 1 Percent Dissipation"},
        {"1e300", "1", "1e10", ArithmeticFault::Overflow, "Secondary 1 Power"},
        // A negative total dissipation has no fourth root.
        {"100", "-10", "1", ArithmeticFault::InvalidOperation, "Operating Temperature"},
    };
    for (const Case &c : cases) {
        AnalysisInput in = oneSecondary(c.volts, c.amps);
        in.secondaries[0].resistance = c.ohms;
        const Refusal refusal = refused(in);
        EXPECT_EQ(refusal.kind, RefusalKind::Arithmetic) << c.quantity;
        EXPECT_EQ(refusal.fault, c.fault) << c.quantity;
        EXPECT_EQ(refusal.quantity, c.quantity);
    }
}

TEST(CheckedArithmeticTest, ClassifiesEveryOperation)
{
    const CheckedStep step("Test");
    const double huge = std::numeric_limits<double>::max();
    struct Case
    {
        const char *name;
        std::function<double()> operation;
        ArithmeticFault fault;
    } const cases[] = {
        {"1/0", [&] { return step.div(1, 0); }, ArithmeticFault::DivisionByZero},
        {"0/0", [&] { return step.div(0, 0); }, ArithmeticFault::InvalidOperation},
        {"max*2", [&] { return step.mul(huge, 2); }, ArithmeticFault::Overflow},
        {"1e200 squared", [&] { return step.square(1e200); }, ArithmeticFault::Overflow},
        {"max/0.5", [&] { return step.div(huge, 0.5); }, ArithmeticFault::Overflow},
        {"(-1)^0.25", [&] { return step.pow(-1, 0.25); }, ArithmeticFault::InvalidOperation},
        {"underflow", [&] { return step.mul(1e-300, 1e-300); }, ArithmeticFault::None},
        {"0^0.25", [&] { return step.pow(0, 0.25); }, ArithmeticFault::None},
    };
    for (const Case &c : cases) {
        ArithmeticFault seen = ArithmeticFault::None;
        try {
            c.operation();
        } catch (const ArithmeticStop &stop) {
            seen = stop.fault;
            EXPECT_EQ(stop.quantity, "Test");
        }
        EXPECT_EQ(seen, c.fault) << c.name;
    }
}

} // namespace
} // namespace ferrolux
