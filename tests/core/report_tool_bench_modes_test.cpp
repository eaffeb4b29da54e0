// The report tool's bench modes (--rise-from-resistance, --lamination / --tongue --window,
// --valves): exit status, text and JSON, and refused values with nothing on standard output.

#include "report_tool.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <tuple>

namespace ferrolux {
namespace {

struct ToolRun
{
    int status;
    std::string out, err;
};

ToolRun run(const std::vector<std::string> &args)
{
    std::ostringstream out, err;
    const int status = runReportTool(args, out, err);
    return {status, out.str(), err.str()};
}

// Arguments, exit status, a text in stdout (success) or stderr (failure); the other stream
// stays empty.
using ToolCase = std::tuple<std::vector<std::string>, int, std::string>;

void expectRuns(const std::vector<ToolCase> &cases)
{
    for (const auto &[args, status, text] : cases) {
        std::string name;
        for (const std::string &arg : args) {
            name += arg + " ";
        }
        const ToolRun r = run(args);
        EXPECT_EQ(r.status, status) << name << r.err;
        EXPECT_NE((status == 0 ? r.out : r.err).find(text), std::string::npos) << name << "\n"
                                                                               << r.out << r.err;
        EXPECT_EQ(r.out.empty(), status != 0) << name;
        EXPECT_EQ(r.err.empty(), status == 0) << name;
    }
}

TEST(ReportToolBenchModes, TextOutputAndRefusals)
{
    const std::string rise = "--rise-from-resistance";
    expectRuns({
        // The published check, in milliohms and in ohms.
        {{rise, "200", "20", "210", "25"}, 0, "Rise                 7.725 K"},
        {{rise, "0.200", "20", "0.210", "25"}, 0, "32.725 \xC2\xB0"},
        {{rise, "200", "20", "210", "25", "--conductor", "Aluminium"}, 0, "7.250 K"},
        {{"--conductor=aluminium", rise, "200", "20", "210", "25"}, 0, "k = 225"},
        // A negative temperature is a value, not an option: 1.1 · 229.5 − 229.5.
        {{rise, "1", "-5", "1.1", "-5"}, 0, "22.950 K"},
        {{rise, "0", "20", "210", "25"}, 2, "above 0 ohms"},
        {{rise, "210", "25", "200", "20"}, 2, "would be negative"},
        {{rise, "200", "20", "210", "101"}, 2, "from -50 to 100"},
        {{rise, "200", "20", "210"}, 2, "needs 4 values"},
        {{rise, "200", "20", "abc", "25"}, 2, "not 'abc'"},
        {{rise, "200", "20", "1e3", "25"}, 2, "not '1e3'"},
        {{rise, "200", "20", "210", "25", "--conductor", "brass"}, 2, "copper or aluminium"},
        {{rise, "200", "20", "210", "25", "--stack", "3"}, 2, "--stack applies only"},
        // The published check: 887 turns, Ap 78.6 cm⁴.
        {{"--lamination", "EI96", "--stack", "3.2"}, 0, "Primary turns        887\n"},
        {{"--lamination", "ei96", "--stack=3.2"}, 0, "Area product Ap      78.6 cm"},
        {{"--tongue", "3.2", "--window", "1.6", "4.8", "--stack", "3.2"}, 0, "Lamination custom"},
        {{"--lamination", "EI96", "--stack", "3.2", "--rise", "50", "--hz", "60"},
         0,
         "VA estimate          150.7 VA"},
        {{"--lamination", "EI97", "--stack", "3.2"}, 2, "unknown lamination 'EI97'"},
        {{"--lamination", "EI97", "--stack", "3.2"}, 2, "EI30, EI42"},
        {{"--lamination", "EI96"}, 2, "--stack CM is needed"},
        {{"--lamination", "EI96", "--stack", "0"}, 2, "at most 100 cm"},
        {{"--lamination", "EI96", "--stack", "3.2", "--flux", "2.5"}, 2, "0.1 to 2 T"},
        {{"--lamination", "EI96", "--stack", "3.2", "--rise", "40"}, 2, "25 or 50"},
        {{"--lamination", "EI96", "--stack", "3.2", "--efficiency", "x"}, 2, "not 'x'"},
        {{"--lamination", "EI96", "--stack", "3.2", "--stack", "3"}, 2, "given more than once"},
        {{"--tongue", "3.2", "--stack", "3.2"}, 2, "needs both --tongue"},
        {{"--tongue", "3.2", "--window", "1.6"}, 2, "--window needs 2 values"},
        {{"--lamination", "EI96", "--tongue", "3", "--window", "1", "3", "--stack", "3"},
         2,
         "cannot be used together"},
        {{"--valves", "EL34*2,12AX7*3,5AR4"}, 0, "Heaters:\n  5 V  1.9 A\n  6.3 V  3.9 A\n"},
        {{"--valves", "12ax7"}, 0, "1 x 12AX7  6.3 V 0.3 A (centre-tapped"},
        {{"--valves", "UCH81*2"}, 0, "(series-string type, 100 mA)"},
        {{"--valves", "EL34,XYZ,abc*2"}, 2, "unknown valves: XYZ, abc"},
        {{"--valves", "EL34*0"}, 2, "from 1 to 1000"},
        {{"--valves", ""}, 2, "empty"},
        {{"--valves"}, 2, "--valves needs 1 value"},
        {{"--valves", "EL34", "--lamination", "EI96"}, 2, "cannot be used together"},
        {{"--valves", "EL34", "--conductor", "copper"}, 2, "--conductor applies only"},
        {{"--valves", "EL34", "--json=yes"}, 2, "takes no '='"},
        {{"--example", "--valves", "EL34"}, 2, "'--example' cannot be used with --valves"},
        {{"--valves", "EL34", "extra"}, 2, "the argument 'extra' cannot be used"},
        // Options of the bench modes alone are not a mode of their own.
        {{"--stack", "3.2"}, 2, "--stack"},
    });
}

TEST(ReportToolBenchModes, JsonHoldsTheFigures)
{
    const ToolRun rise = run({"--rise-from-resistance", "200", "20", "210", "25", "--json"});
    ASSERT_EQ(rise.status, 0) << rise.err;
    const auto r = nlohmann::json::parse(rise.out);
    EXPECT_NEAR(r.at("rise_k").get<double>(), 7.725, 1e-9);
    EXPECT_NEAR(r.at("winding_c").get<double>(), 32.725, 1e-9);
    EXPECT_EQ(r.at("conductor"), "copper");

    const ToolRun core = run({"--json", "--lamination", "EI96", "--stack", "3.2"});
    ASSERT_EQ(core.status, 0) << core.err;
    const auto c = nlohmann::json::parse(core.out);
    EXPECT_NEAR(c.at("ac_cm2").get<double>(), 10.24, 1e-9);
    EXPECT_NEAR(c.at("ac_net_cm2").get<double>(), 9.728, 1e-9);
    EXPECT_NEAR(c.at("wa_cm2").get<double>(), 7.68, 1e-9);
    EXPECT_NEAR(c.at("ap_cm4").get<double>(), 78.6432, 1e-9);
    EXPECT_EQ(c.at("primary_turns"), 887);
    EXPECT_NEAR(c.at("turns_per_volt").get<double>(), 3.85871, 1e-5);
    EXPECT_NEAR(c.at("va_estimate").get<double>(), 86.049, 1e-3);

    const ToolRun valves = run({"--valves", "EL34*2,12AX7*3,5AR4", "--json"});
    ASSERT_EQ(valves.status, 0) << valves.err;
    const auto v = nlohmann::json::parse(valves.out);
    EXPECT_EQ(v.at("heaters"), nlohmann::json::parse(R"([{"voltage": 5.0, "current_a": 1.9},
                                                        {"voltage": 6.3, "current_a": 3.9}])"));
    ASSERT_EQ(v.at("valves").size(), 3u);
    EXPECT_EQ(v.at("valves")[1].at("name"), "12AX7");
    EXPECT_EQ(v.at("valves")[1].at("count"), 3);
    EXPECT_EQ(v.at("valves")[2].at("heating"), "indirect");
}

} // namespace
} // namespace ferrolux
