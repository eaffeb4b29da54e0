// The report tool's check options, JSON, winding current, constants limits, refused option
// combinations and escaped messages, through the tool's function.

#include "default_files.h"
#include "design_extras.h"
#include "printable_text.h"
#include "report_tool.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <tuple>

namespace ferrolux {
namespace {

using testing_support::ScratchFolder;

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

TEST(ReportToolChecks, OptionsExitStatusAndOutput)
{
    // Arguments, exit status, a text in stdout (success) or in stderr (failure).
    const std::tuple<std::vector<std::string>, int, const char *> cases[] = {
        {{"--example", "--check"}, 0, "within class, margin 46.0 K"},
        {{"--example", "--check"}, 0, "McLyman                     9.03 K    59.0 \xC2\xB0"},
        {{"--example", "--check", "--class", "h"}, 0, "class H (limit 180"},
        {{"--example", "--check", "--core-loss", "10000"}, 0, "the core loss alone"},
        {{"--example", "--check", "--ambient=-50", "--hot-spot", "0"}, 0, "Ambient -50.0"},
        {{"--example", "--json", "--emissivity", "1"}, 0, "\"emissivity\": 1.0"},
        {{"--winding-current", "half-wave-capacitor", "0.28"}, 0, "1.0\n"},
        {{"--winding-current", "full-wave-ct-choke", "1.54"}, 0, "1.0\n"},
        {{"--winding-current", "bridge-capacitor", "0.1"}, 0, "0.16129032258064518\n"},
        {{"--version"}, 0, "ferrolux-report 1."},
        {{"--help"}, 0, "--winding-current KIND AMPS"},
        {{"--winding-current", "bridge", "1"}, 2, "bridge-choke"},
        {{"--winding-current", "ac", "1e3"}, 2, "the kinds are ac,"},
        {{"--winding-current", "ac", "-1"}, 2, "not negative"},
        {{"--winding-current", "ac"}, 2, "--winding-current"},
        {{"--example", "--json", "--ambient", "100.01"}, 2, "from -50 to 100"},
        {{"--example", "--json", "--ambient", " 20"}, 2, "--ambient"},
        {{"--example", "--check", "--hot-spot", "50.5"}, 2, "--hot-spot"},
        {{"--example", "--check", "--core-loss", "inf"}, 2, "--core-loss"},
        {{"--example", "--check", "--emissivity", "0"}, 2, "from 0.01 to 1"},
        {{"--example", "--check", "--class", "C"}, 2, "A, E, B, F or H"},
        {{"--example", "--ambient", "20"}, 2, "only with --check or --json"},
        {{"--example", "--check", "--json"}, 2, "cannot be used together"},
        {{"--eng", "1", "--eng", "2"}, 2, "--eng given more than once"},
        {{"--example", "--check", "--check"}, 2, "--check given more than once"},
        {{"--constants", "x", "--example"}, 2, "built-in limits"},
        {{"--example", "--eng", "1"}, 2, "cannot be used together"},
        {{"--eng", "1", "--json"}, 2, "--json applies only"},
        {{"--eng-complex", "1 + j2", "--constants", "x"}, 2, "--constants applies only"},
        {{"--eng", "117", "0", "1e13", "-2.5e-7", "abc"},
         0,
         " 117.0     \n 0.000     \n+*.***E\xC2\xB1* \n-250.0e-9  \n 0.000     \n"},
        {{"--eng-complex", "100 + J-0.47"}, 0, " 100.0     \n-470.0e-3  \n"},
        {{"--eng", "1e999"}, 2, "1e999"},
        {{"--eng"}, 2, "--eng"},
        {{"--eng-complex", "no imaginary part"}, 2, ""},
        {{}, 2, ""},
        {{"--bogus"}, 2, "--bogus"},
        {{"--constants", "x.dat"}, 2, ""},
        {{"one.dat", "two.dat"}, 2, ""},
        {{"--example", "extra"}, 2, ""}};
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

TEST(ReportToolChecks, JsonHoldsTheListedKeysAndRoundTripNumbers)
{
    const ToolRun r = run({"--example", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    for (const char *key :
         {"report", "primary", "secondaries", "surface_cm2", "total_dissipation_w",
          "total_percent_dissipation", "power_density_w_per_m2", "temperature_f", "temperature_c",
          "thermal", "mains"}) {
        EXPECT_TRUE(j.contains(key)) << key;
    }
    EXPECT_EQ(j["report"].size(), 30u);
    EXPECT_EQ(j["secondaries"].size(), 4u);
    const auto &s1 = j["secondaries"][0];
    EXPECT_EQ(s1["winding"], "plate");
    EXPECT_TRUE(s1["searched"].get<bool>());
    EXPECT_FALSE(j["secondaries"][2]["searched"].get<bool>());
    EXPECT_EQ(j["secondaries"][2]["winding"], "filament");
    // The worked example's primary voltage and surface exactly, as doubles.
    EXPECT_EQ(j["primary"]["voltage"].get<double>(), 117.0);
    EXPECT_EQ(j["surface_cm2"].get<double>(), 2 * 11.3 * 9.6 + 2 * 4.0 * 11.3 +
                                                  4 * ((9.7 - 4.0) / 2) * 8.4 +
                                                  4 * ((9.7 - 4.0) / 2) * 6.4);
    const auto &t = j["thermal"];
    EXPECT_EQ(t["models"].size(), 3u);
    EXPECT_EQ(t["models"][2]["name"], "convection_radiation");
    EXPECT_NEAR(t["hottest_c"].get<double>(), 59.0, 0.05);
    EXPECT_EQ(j["mains"].size(), 5u);
    EXPECT_EQ(j["mains"][0]["percent"].get<double>(), -10);
}

// A last-run file with its extension block, and constants files with limits that do not read.
TEST(ReportToolChecks, FilesGiveTheBlockAndHaveTheirLimitsChecked)
{
    ScratchFolder s;
    DesignExtras extras;
    extras.thermal.ambientC = 60;
    extras.thermal.insulationClass = InsulationClass::B;
    testing_support::writeBytes(s.path("Ferrolux.DAT"),
                                exampleLastRunFileBytes() + designExtrasBytes(extras));
    testing_support::writeBytes(s.path("CONSTANT.DAT"), defaultConstantsFileBytes());
    const std::string good = defaultConstantsFileBytes();
    const std::size_t value = good.find("4.5");
    const auto withSecondLimit = [&](const std::string &text) {
        return good.substr(0, value) + text + good.substr(value + 3);
    };
    // Constants file bytes, exit status, a text in stderr.
    const std::tuple<std::string, int, const char *> constants[] = {
        {good, 0, ""},
        {withSecondLimit(" 4.5 "), 0, ""},
        {withSecondLimit("abc"), 2, "record 4: \"abc\" is not a limit from 0 to 100"},
        {withSecondLimit("NaN"), 2, "record 4"},
        {withSecondLimit("-5"), 2, "record 4"},
        {withSecondLimit("100.5"), 2, "record 4"},
        {withSecondLimit("1e999"), 2, "record 4"},
        {withSecondLimit("4.5x"), 2, "record 4"},
        {withSecondLimit("\x1b[2J"), 2, "\"\\x1b[2J\""},
        {good.substr(0, value), 2, ""}, // ends before the second limit
        {"", 2, ""}};
    for (const auto &[bytes, status, text] : constants) {
        testing_support::writeBytes(s.path("limits.DAT"), bytes);
        const ToolRun r =
            run({"--json", "--constants", s.path("limits.DAT"), s.path("Ferrolux.DAT")});
        EXPECT_EQ(r.status, status) << r.err;
        EXPECT_NE(r.err.find(text), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << "raw escape in the message";
        if (status != 0) {
            EXPECT_NE(r.err.find("limits.DAT"), std::string::npos) << r.err;
            continue;
        }
        const nlohmann::json j = nlohmann::json::parse(r.out);
        EXPECT_EQ(j["thermal"]["ambient_c"].get<double>(), 60);
        EXPECT_EQ(j["thermal"]["insulation_class"], "B");
    }
    // The command line overrides the file's block.
    const ToolRun r = run({s.path("Ferrolux.DAT"), "--json", "--ambient", "20"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["thermal"]["ambient_c"].get<double>(), 20);
    EXPECT_EQ(j["thermal"]["class_limit_c"].get<double>(), 130);
}

TEST(ReportToolChecks, PrintableTextEscapesControlsAndBadBytes)
{
    const std::tuple<std::string, std::string> cases[] = {
        {"plain \xC2\xB0 text", "plain \xC2\xB0 text"},
        {"a\x1b[31mb", "a\\x1b[31mb"},
        {"line\nnext\ttab\x7f", "line\\nnext\\ttab\\x7f"},
        {"csi \xC2\x9B", "csi \\u009b"},
        {"bad \xFF\xC3", "bad \\xff\\xc3"},
        {"overlong \xC0\xAF", "overlong \\xc0\\xaf"},
        {std::string("nul\0", 4), "nul\\x00"}};
    for (const auto &[text, expected] : cases) {
        EXPECT_EQ(printableText(text), expected);
    }
}

} // namespace
} // namespace ferrolux
