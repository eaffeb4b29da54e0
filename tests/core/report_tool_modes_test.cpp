// The report tool's modes beside the report: the bench modes (--rise-from-resistance,
// --lamination / --tongue --window, --valves) and --supply, with their exit status, text, JSON
// and refusals; and the bench keys of a design's JSON against hand-worked figures.

#include "bench_json.h"
#include "hand_worked_bench.h"
#include "report_tool_runs.h"
#include "scratch_folder.h"
#include "supply_json.h"
#include "supply_parts.h"

#include <nlohmann/json.hpp>

namespace ferrolux {
namespace {

using namespace testing_support;
using Json = nlohmann::ordered_json;

TEST(ReportToolBenchModes, TextOutputAndRefusals)
{
    const std::string rise = "--rise-from-resistance";
    expectRuns({
        // The published check, in milliohms and in ohms. Refused values: one per mode, to show the
        // calculation's reason comes through; the rest are the tool's own.
        {{rise, "200", "20", "210", "25"}, 0, "Rise                 7.725 K"},
        {{rise, "0.200", "20", "0.210", "25"}, 0, "32.725 \xC2\xB0"},
        {{rise, "200", "20", "210", "25", "--conductor", "Aluminium"}, 0, "7.250 K"},
        {{"--conductor=aluminium", rise, "200", "20", "210", "25"}, 0, "k = 225"},
        // A negative temperature is a value, not an option: 1.1 · 229.5 − 229.5.
        {{rise, "1", "-5", "1.1", "-5"}, 0, "22.950 K"},
        {{rise, "0", "20", "210", "25"}, 2, "above 0 ohms"},
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
        {{"--lamination", "EI97", "--stack", "3.2"},
         2,
         "unknown lamination 'EI97'; the table has EI30, EI42"},
        {{"--lamination", "EI96"}, 2, "--stack CM is needed"},
        {{"--lamination", "EI96", "--stack", "0"}, 2, "at most 100 cm"},
        {{"--lamination", "EI96", "--stack", "3.2", "--flux", "2.5"}, 2, "0.1 to 2 T"},
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
    const ToolRun rise = runTool({"--rise-from-resistance", "200", "20", "210", "25", "--json"});
    ASSERT_EQ(rise.status, 0) << rise.err;
    const auto r = nlohmann::json::parse(rise.out);
    EXPECT_NEAR(r.at("rise_k").get<double>(), 7.725, 1e-9);
    EXPECT_NEAR(r.at("winding_c").get<double>(), 32.725, 1e-9);
    EXPECT_EQ(r.at("conductor"), "copper");

    const ToolRun core = runTool({"--json", "--lamination", "EI96", "--stack", "3.2"});
    ASSERT_EQ(core.status, 0) << core.err;
    const auto c = nlohmann::json::parse(core.out);
    EXPECT_NEAR(c.at("ac_cm2").get<double>(), 10.24, 1e-9);
    EXPECT_NEAR(c.at("ac_net_cm2").get<double>(), 9.728, 1e-9);
    EXPECT_NEAR(c.at("wa_cm2").get<double>(), 7.68, 1e-9);
    EXPECT_NEAR(c.at("ap_cm4").get<double>(), 78.6432, 1e-9);
    EXPECT_EQ(c.at("primary_turns"), 887);
    EXPECT_NEAR(c.at("turns_per_volt").get<double>(), 3.85871, 1e-5);
    EXPECT_NEAR(c.at("va_estimate").get<double>(), 86.049, 1e-3);

    const ToolRun valves = runTool({"--valves", "EL34*2,12AX7*3,5AR4", "--json"});
    ASSERT_EQ(valves.status, 0) << valves.err;
    const auto v = nlohmann::json::parse(valves.out);
    EXPECT_EQ(v.at("heaters"), nlohmann::json::parse(R"([{"voltage": 5.0, "current_a": 1.9},
                                                        {"voltage": 6.3, "current_a": 3.9}])"));
    ASSERT_EQ(v.at("valves").size(), 3u);
    EXPECT_EQ(v.at("valves")[1].at("name"), "12AX7");
    EXPECT_EQ(v.at("valves")[1].at("count"), 3);
    EXPECT_EQ(v.at("valves")[2].at("heating"), "indirect");
}

// The published 5U4G case; the tests below edit its text.
const std::string kGood = R"({"mains_hz": 60, "winding": {"vac": 550, "resistance_ohm": 85},
 "rectifier": {"circuit": "full-wave-ct", "valve": "5U4G"},
 "filter": [{"c_uf": 10}], "load": {"current_a": 0.125}})";

std::string edited(const std::string &from, const std::string &to)
{
    std::string text = kGood;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(SupplyReportTool, JsonReadsIntoTheSupplyItDescribes)
{
    using RC = RectifierCircuit;
    const std::vector<FilterPart> filter = {resistor(4.7), cap(47), choke(8, 120), cap(22)};
    const SupplyCircuit fiveU4G{60,        550,        85, RC::FullWaveCentreTap, valve("5U4G"),
                                {cap(10)}, amps(0.125)};
    const SupplyCircuit diode{50,     550,       85, RC::Bridge, law(0.65, 0.25, 0.002, 1.4),
                              filter, ohms(3300)};
    const SupplyCircuit silicon{50, 550, 85, RC::HalfWave, preset("1N4007"), filter, ohms(3300)};
    const std::pair<std::string, SupplyCircuit> cases[] = {
        {kGood, fiveU4G},
        {R"({"load": {"resistance_ohm": 3300}, "mains_hz": 50,
             "winding": {"resistance_ohm": 85, "vac": 550},
             "rectifier": {"circuit": "bridge",
                           "diode": {"n": 1.4, "k": 0.002, "resistance_ohm": 0.25, "forward_v": 0.65}},
             "filter": [{"r_ohm": 4.7}, {"c_uf": 47}, {"r_ohm": 120, "l_h": 8}, {"c_uf": 22}]})",
         diode},
        {R"({"mains_hz": 50, "winding": {"vac": 550, "resistance_ohm": 85},
             "rectifier": {"circuit": "half-wave", "diode": "1N4007"},
             "filter": [{"r_ohm": 4.7}, {"c_uf": 47}, {"l_h": 8, "r_ohm": 120}, {"c_uf": 22}],
             "load": {"resistance_ohm": 3300}})",
         silicon},
    };
    for (const auto &[text, expected] : cases) {
        const auto read = supplyFromJson(text);
        ASSERT_TRUE(std::holds_alternative<SupplyCircuit>(read)) << std::get<std::string>(read);
        EXPECT_EQ(std::get<SupplyCircuit>(read), expected) << text;
    }
}

TEST(SupplyReportTool, BadFilesAreRefusedWithTheReason)
{
    // What only the JSON reader refuses, and one reason of the supply's own checks coming through.
    const std::pair<std::string, std::string> cases[] = {
        {"{", "not valid JSON"},
        {"[1, 2]", "the supply must be an object"},
        {edited(R"({"c_uf": 10})", R"({"c_uf": "10"})"), "\"c_uf\" must be a number"},
        {edited(R"({"c_uf": 10})", R"({"c_uf": 10, "l_h": 1})"), "a capacitor has only"},
        {edited(R"("vac": 550)", R"("vac": "550 V")"), "\"vac\" must be a number"},
        {edited(R"("vac": 550)", R"("vac": 1e400)"), "not valid JSON"},
        {edited("full-wave-ct", "three-phase"), "unknown circuit 'three-phase'"},
        {edited(R"("valve": "5U4G")", R"("valve": "6L6")"), "unknown valve '6L6'"},
        {edited(R"("valve": "5U4G")", R"("valve": 5)"), "the valve must be a text"},
        {edited(R"("valve": "5U4G")", R"("valve": "5U4G", "diode": "1N4007")"), "either"},
        {edited(R"("current_a": 0.125)", R"("amps": 0.125)"), "unknown key 'amps'"},
        {edited(R"("current_a": 0.125)", R"("current_a": 0.1, "resistance_ohm": 5)"),
         "needs one of"},
        {edited(R"("mains_hz": 60,)", ""), "needs \"mains_hz\""},
        {edited(R"("mains_hz": 60,)", R"("mains_hz": 60, "colour": 1,)"), "unknown key 'colour'"},
    };
    ScratchFolder s;
    for (const auto &[text, reason] : cases) {
        ASSERT_TRUE(writeBytes(s.path("supply.json"), text));
        for (const bool json : {false, true}) {
            std::vector<std::string> args = {"--supply", s.path("supply.json")};
            if (json) {
                args.emplace_back("--json");
            }
            const ToolRun r = runTool(args);
            EXPECT_EQ(r.status, 2) << text;
            EXPECT_TRUE(r.out.empty()) << text;
            EXPECT_NE(r.err.find(reason), std::string::npos) << text << "\n" << r.err;
        }
    }
}

// Usage errors, a missing file, a load the supply cannot deliver (exit 1), and the figures as
// text; then as JSON with the 5U4G's three sourced limits, kept and then broken.
TEST(SupplyReportTool, ExitStatusTextAndJsonFigures)
{
    ScratchFolder s;
    const std::string good = s.path("supply.json"), big = s.path("big.json");
    ASSERT_TRUE(writeBytes(good, kGood));
    ASSERT_TRUE(writeBytes(s.path("heavy.json"), edited("0.125", "5")));
    // A 47 uF first capacitor breaks the 5U4G's 40 uF.
    ASSERT_TRUE(writeBytes(big, edited(R"("c_uf": 10)", R"("c_uf": 47)")));
    expectRuns({
        {{"--supply", "x.json", "--check"}, 2, "--check"},
        {{"--supply", "x.json", "--json", "--ambient", "30"}, 2, "--ambient applies only"},
        {{"--supply", "x.json", "--example"}, 2, "cannot be used together"},
        {{"--supply", "a.json", "--supply", "b.json"}, 2, "given more than once"},
        {{"--supply"}, 2, "--supply"},
        {{"--supply", s.path("absent.json")}, 2, "cannot open supply file"},
        {{"--supply", s.path("heavy.json"), "--json"}, 1, "cannot deliver"},
        {{"--supply", big}, 0, "Supply: full-wave-ct, valve 5U4G"},
        {{"--supply", big}, 0, "Peak inverse voltage"},
        {{"--supply", big}, 0, "Input capacitor (uF)"},
        {{"--supply", big}, 0, "BROKEN"},
        {{"--supply", big}, 0, "Limits of the 5U4G:"},
    });
    const nlohmann::json figures = nlohmann::json::parse(runTool({"--supply", good, "--json"}).out);
    for (const char *key : {"dc_output_v", "ripple_pp_v", "first_capacitor_dc_v", "winding_rms_a",
                            "winding_peak_a", "rectifier_peak_a", "piv_v", "cycles", "surge_peak_a",
                            "time_to_90_percent_s", "limits", "limits_broken"}) {
        EXPECT_TRUE(figures.contains(key)) << key;
    }
    // The maker's curves give about 620 V. The limits: DC output current, input capacitor,
    // plate-supply resistance.
    EXPECT_NEAR(figures["dc_output_v"].get<double>(), 620, 0.04 * 620);
    EXPECT_EQ(figures["limits"].size(), 3u);
    EXPECT_TRUE(figures["limits_broken"].empty());
    EXPECT_EQ(nlohmann::json::parse(runTool({"--supply", big, "--json"}).out)["limits_broken"],
              nlohmann::json({"input_capacitor"}));
}

Json benchJson(const BenchRecords &records, const SupplyCurrents &supplies = {})
{
    ThermalInputs inputs;
    inputs.ambientC = 30;
    EngineeringChecks checks;
    checks.thermal = tenWattsOnAHundredCm2();
    const BenchEvaluation bench =
        evaluateBench(records, handWorkedAnalysis(), checks, inputs, supplies);
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

} // namespace
} // namespace ferrolux
