#include "analysis.h"
#include "report.h"
#include "worked_example_input.h"

#include <gtest/gtest.h>

namespace ferrolux {
namespace {

// A result with `n` secondaries whose every value is `value`.
AnalysisResult uniformResult(std::size_t n, double value)
{
    AnalysisResult r;
    r.Vp = r.Ip = r.Pin = r.Pdp = r.Pcp = r.Pdt = r.Pct = r.PD = r.T = value;
    SecondaryResult s;
    s.VL = s.Is = s.Po = s.Pd = s.Pc = value;
    r.secondaries.assign(n, s);
    return r;
}

TEST(ReportTest, WorkedExampleGivesTheThirtyLines)
{
    const std::vector<std::string> expected = {
        "        Primary Voltage = 117.0     Volts",
        "        Primary Current = 731.4e-3  Amps",
        "          Primary Power = 85.57     Watts",
        "    Primary Dissipation = 1.097     Watts",
        "  Primary % Dissipation = 1.265     %",
        "Secondayr 1     Voltage = 338.4     Volts",
        "Secondary 1     Current = 135.0e-3  Amps",
        "Secondary 1       Power = 45.70     Watts",
        "Secondary 1 Dissipation = 1.229     Watts",
        "Secondary 1 Percent Dis = 2.619     %",
        "Secondayr 2     Voltage = 38.93     Volts",
        "Secondary 2     Current = 136.4e-3  Amps",
        "Secondary 2       Power = 5.309     Watts",
        "Secondary 2 Dissipation = 141.4e-3  Watts",
        "Secondary 2 Percent Dis = 2.593     %",
        "Secondayr 3     Voltage = 4.987     Volts",
        "Secondary 3     Current = 3.000     Amps",
        "Secondary 3       Power = 14.96     Watts",
        "Secondary 3 Dissipation = 891.0e-3  Watts",
        "Secondary 3 Percent Dis = 5.620     %",
        "Secondayr 4     Voltage = 6.314     Volts",
        "Secondary 4     Current = 2.615     Amps",
        "Secondary 4       Power = 16.51     Watts",
        "Secondary 4 Dissipation = 834.0e-3  Watts",
        "Secondary 4 Percent Dis = 4.809     %",
        "----------------------------------------------------------",
        "      Total Dissipation = 4.192     Watts",
        "    Total % Dissipation = 4.837     %",
        "          Power Dendity = 88.05     W/Sq Meter",
        "  Operating Temperature = 223.4     \xC2\xB0 F",
    };
    const AnalysisOutcome outcome = analyseTransformer(testing_support::workedExampleInput());
    ASSERT_TRUE(std::holds_alternative<AnalysisResult>(outcome));
    EXPECT_EQ(buildReport(std::get<AnalysisResult>(outcome)), expected);
}

TEST(ReportTest, LineCountAndColumnsForOneToSixSecondaries)
{
    for (std::size_t n : {1u, 2u, 6u}) {
        const std::vector<std::string> lines = buildReport(uniformResult(n, 1));
        ASSERT_EQ(lines.size(), 5 * n + 10) << n;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i == 5 * n + 5) {
                EXPECT_EQ(lines[i], std::string(58, '-'));
                continue;
            }
            // "=" in column 25, the value's sign position in column 26, the unit in 37.
            ASSERT_GE(lines[i].size(), 37u) << n << ":" << i;
            EXPECT_EQ(lines[i].substr(24, 12), "= 1.000     ") << n << ":" << i;
        }
        const std::string k = std::to_string(n);
        EXPECT_EQ(lines[5 * n], "Secondayr " + k + "     Voltage = 1.000     Volts");
        EXPECT_EQ(lines[5 * n + 4], "Secondary " + k + " Percent Dis = 1.000     %");
    }
}

TEST(ReportTest, ValueTextsInTheirLines)
{
    struct Case
    {
        double value;
        std::size_t line;
        const char *expected;
    } const cases[] = {
        {-5, 5, "Secondayr 1     Voltage =-5.000     Volts"},
        {-0.25, 0, "        Primary Voltage =-250.0e-3  Volts"},
        {0, 8, "Secondary 1 Dissipation = 0.000     Watts"},
        {0, 13, "          Power Dendity = 0.000     W/Sq Meter"},
        {1234, 14, "  Operating Temperature = 1.234e+3  \xC2\xB0 F"},
    };
    for (const Case &c : cases) {
        const std::vector<std::string> lines = buildReport(uniformResult(1, c.value));
        ASSERT_EQ(lines.size(), 15u);
        EXPECT_EQ(lines[c.line], c.expected);
    }
}

} // namespace
} // namespace ferrolux
