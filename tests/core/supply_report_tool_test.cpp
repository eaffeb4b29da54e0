// ferrolux-report --supply: bad files and options refused with the reason on standard error and
// nothing on standard output (exit 2), a load the supply cannot deliver (exit 1), the figures
// as JSON and as text, and once through the real executable.

#include "report_tool.h"
#include "scratch_folder.h"
#include "supply_json.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/wait.h>

namespace ferrolux {
namespace {

using testing_support::ScratchFolder;
using testing_support::writeBytes;

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
    SupplyCircuit valve;
    valve.mainsHz = 60;
    valve.windingVac = 550;
    valve.windingOhm = 85;
    valve.circuit = RectifierCircuit::FullWaveCentreTap;
    valve.rectifier = {RectifierKind::Valve, "5U4G", {}};
    valve.filter = {{FilterPartKind::ShuntCapacitor, 10, 0, 0}};
    valve.load = {SupplyLoadKind::ConstantCurrent, 0.125};

    SupplyCircuit diode = valve;
    diode.mainsHz = 50;
    diode.circuit = RectifierCircuit::Bridge;
    diode.rectifier = {RectifierKind::Diode, {}, DiodeLaw{0.65, 0.25, 0.002, 1.4}};
    diode.filter = {{FilterPartKind::SeriesResistor, 0, 0, 4.7},
                    {FilterPartKind::ShuntCapacitor, 47, 0, 0},
                    {FilterPartKind::SeriesChoke, 0, 8, 120},
                    {FilterPartKind::ShuntCapacitor, 22, 0, 0}};
    diode.load = {SupplyLoadKind::Resistance, 3300};

    SupplyCircuit preset = diode;
    preset.circuit = RectifierCircuit::HalfWave;
    preset.rectifier = {RectifierKind::SiliconPreset, "1N4007", {}};

    const std::pair<std::string, SupplyCircuit> cases[] = {
        {kGood, valve},
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
         preset},
    };
    for (const auto &[text, expected] : cases) {
        const auto read = supplyFromJson(text);
        ASSERT_TRUE(std::holds_alternative<SupplyCircuit>(read)) << std::get<std::string>(read);
        EXPECT_EQ(std::get<SupplyCircuit>(read), expected) << text;
    }
}

TEST(SupplyReportTool, BadFilesAreRefusedWithTheReason)
{
    const std::pair<std::string, std::string> cases[] = {
        {"{", "not valid JSON"},
        {"[1, 2]", "the supply must be an object"},
        {edited(R"([{"c_uf": 10}])", "[]"), "the filter is empty"},
        {edited(R"([{"c_uf": 10}])", R"([{"c_uf": 10}, {"r_ohm": 100}])"),
         "must end with a capacitor"},
        {edited(R"([{"c_uf": 10}])", R"([{"l_h": 10, "r_ohm": 100}])"),
         "must end with a capacitor"},
        {edited(R"({"c_uf": 10})", R"({"c_uf": -10})"), "c_uf must be above 0"},
        {edited(R"({"c_uf": 10})", R"({"c_uf": 0})"), "c_uf must be above 0"},
        {edited(R"({"c_uf": 10})", R"({"c_uf": "10"})"), "\"c_uf\" must be a number"},
        {edited(R"({"c_uf": 10})", R"({"c_uf": 10, "l_h": 1})"), "a capacitor has only"},
        {edited(R"({"c_uf": 10})", R"({"c_uf": true})"), "must be a number"},
        {edited(R"("vac": 550)", R"("vac": "550 V")"), "\"vac\" must be a number"},
        {edited(R"("vac": 550)", R"("vac": 1e400)"), "not valid JSON"},
        {edited(R"("vac": 550)", R"("vac": 20000)"), "vac must be above 0 to 10000"},
        {edited(R"("mains_hz": 60)", R"("mains_hz": 0)"), "mains_hz must be from"},
        {edited(R"("resistance_ohm": 85)", R"("resistance_ohm": -1)"), "resistance_ohm"},
        {edited("full-wave-ct", "three-phase"), "unknown circuit 'three-phase'"},
        {edited(R"("valve": "5U4G")", R"("valve": "6L6")"), "unknown valve '6L6'"},
        {edited(R"("valve": "5U4G")", R"("valve": 5)"), "the valve must be a text"},
        {edited(R"("valve": "5U4G")", R"("diode": "1N0000")"), "unknown diode '1N0000'"},
        {edited(R"("valve": "5U4G")",
                R"("diode": {"forward_v": 0.7, "resistance_ohm": 0.1, "n": 2})"),
         "n needs its k"},
        {edited(R"("valve": "5U4G")", R"("valve": "5U4G", "diode": "1N4007")"), "either"},
        {edited(R"("current_a": 0.125)", R"("current_a": 0)"), "current_a must be above 0"},
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
            const ToolRun r = run(args);
            EXPECT_EQ(r.status, 2) << text;
            EXPECT_TRUE(r.out.empty()) << text;
            EXPECT_NE(r.err.find(reason), std::string::npos) << text << "\n" << r.err;
        }
    }
    const ToolRun missing = run({"--supply", s.path("absent.json")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.out.empty());
    EXPECT_NE(missing.err.find("cannot open supply file"), std::string::npos);
}

TEST(SupplyReportTool, OptionsThatDoNotApplyAreUsageErrors)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--supply", "x.json", "--check"}, "--check"},
        {{"--supply", "x.json", "--json", "--ambient", "30"}, "--ambient applies only"},
        {{"--supply", "x.json", "--example"}, "cannot be used together"},
        {{"--supply", "a.json", "--supply", "b.json"}, "given more than once"},
        {{"--supply"}, "--supply"},
    };
    for (const auto &[args, reason] : cases) {
        const ToolRun r = run(args);
        EXPECT_EQ(r.status, 2) << reason;
        EXPECT_TRUE(r.out.empty()) << reason;
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    }
}

TEST(SupplyReportTool, LoadTheSupplyCannotDeliverExitsOne)
{
    ScratchFolder s;
    ASSERT_TRUE(writeBytes(s.path("heavy.json"), edited("0.125", "5")));
    const ToolRun r = run({"--supply", s.path("heavy.json"), "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("cannot deliver"), std::string::npos) << r.err;
}

TEST(SupplyReportTool, FiguresAsJsonAndText)
{
    ScratchFolder s;
    ASSERT_TRUE(writeBytes(s.path("supply.json"), kGood));
    const ToolRun json = run({"--supply", s.path("supply.json"), "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_TRUE(json.err.empty());
    const nlohmann::json figures = nlohmann::json::parse(json.out);
    for (const char *key : {"dc_output_v", "ripple_pp_v", "first_capacitor_dc_v", "winding_rms_a",
                            "winding_peak_a", "rectifier_peak_a", "piv_v", "cycles", "surge_peak_a",
                            "time_to_90_percent_s", "limits", "limits_broken"}) {
        EXPECT_TRUE(figures.contains(key)) << key;
    }
    // The maker's curves give about 620 V.
    EXPECT_NEAR(figures["dc_output_v"].get<double>(), 620, 0.04 * 620);
    // The 5U4G's sourced limits: DC output current, input capacitor, plate-supply resistance.
    EXPECT_EQ(figures["limits"].size(), 3u);
    EXPECT_TRUE(figures["limits_broken"].empty());

    // A 47 uF first capacitor breaks the 5U4G's 40 uF.
    ASSERT_TRUE(writeBytes(s.path("big.json"), edited(R"("c_uf": 10)", R"("c_uf": 47)")));
    const ToolRun big = run({"--supply", s.path("big.json"), "--json"});
    ASSERT_EQ(big.status, 0) << big.err;
    EXPECT_EQ(nlohmann::json::parse(big.out)["limits_broken"], nlohmann::json({"input_capacitor"}));

    const ToolRun text = run({"--supply", s.path("big.json")});
    ASSERT_EQ(text.status, 0) << text.err;
    for (const char *line :
         {"Supply: full-wave-ct, valve 5U4G", "DC output", "Peak inverse voltage",
          "Input capacitor (uF)", "BROKEN", "Limits of the 5U4G:"}) {
        EXPECT_NE(text.out.find(line), std::string::npos) << line << "\n" << text.out;
    }
}

TEST(SupplyReportTool, RealExecutable)
{
    ScratchFolder s;
    ASSERT_TRUE(writeBytes(s.path("supply.json"), kGood));
    ASSERT_TRUE(writeBytes(s.path("bad.json"), edited("5U4G", "5Q9")));
    const std::pair<std::string, int> cases[] = {{s.path("supply.json") + " --json", 0},
                                                 {s.path("bad.json"), 2}};
    for (const auto &[arguments, status] : cases) {
        const std::string command = std::string(FERROLUX_REPORT_TOOL) + " --supply " + arguments +
                                    " >" + s.path("stdout") + " 2>" + s.path("stderr");
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw)) << arguments;
        EXPECT_EQ(WEXITSTATUS(raw), status) << arguments;
        EXPECT_EQ(testing_support::readBytes(s.path("stdout")).empty(), status != 0);
        EXPECT_EQ(testing_support::readBytes(s.path("stderr")).empty(), status == 0);
    }
}

} // namespace
} // namespace ferrolux
