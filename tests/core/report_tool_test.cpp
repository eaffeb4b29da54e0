// The report tool through its function (options, files, check text, JSON, constants limits,
// a design's supplies, escaped messages) and as the real executable.

#include "default_files.h"
#include "design_extras.h"
#include "printable_text.h"
#include "report_tool_runs.h"
#include "scratch_folder.h"
#include "worked_example_input.h"

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <sys/wait.h>

namespace ferrolux {
namespace {

using testing_support::expectRuns;
using testing_support::runTool;
using testing_support::ScratchFolder;
using testing_support::ToolRun;
using testing_support::writeBytes;

std::string workedExampleReportText()
{
    std::string report;
    for (const std::string &line : testing_support::workedExampleReport()) {
        report += line + "\n";
    }
    return report;
}

// DBL_MAX as a plain decimal: 2^1024 - 2^971, 309 digits.
const std::string kLargestDouble = "17976931348623157" + std::string(292, '0');

TEST(ReportTool, OptionsExitStatusAndOutput)
{
    expectRuns({
        {{"--example", "--check"}, 0, "McLyman                     9.03 K    59.0 \xC2\xB0"},
        {{"--example", "--check"}, 0, "within class, margin 46.0 K"},
        // The headroom of secondary 1, 0.135 A of 2.5 · 350 / (67.4 · 97.5) A.
        {{"--example", "--check"}, 0, "current 0.135 A of 0.1332 A: 101.4 %"},
        // The sweep's nominal point gives the report's voltages, heat and McLyman's hot spot.
        {{"--example", "--check"}, 0, "117    338.4    38.93    4.987    6.314    4.192      59.0"},
        {{"--example", "--check", "--class", "h"}, 0, "class H (limit 180"},
        {{"--example", "--check", "--core-loss", "10000"}, 0, "the core loss alone"},
        {{"--example", "--check", "--ambient=-50", "--hot-spot", "0"}, 0, "Ambient -50.0"},
        {{"--example", "--json", "--emissivity", "1"}, 0, "\"emissivity\": 1.0"},
        // 106 °C, above even the highest ambient.
        {{"--example", "--json", "--ambient", "100"}, 0, "\"temperature_below_ambient\": false"},
        {{"--winding-current", "bridge-capacitor", "0.1"}, 0, "0.16129032258064518\n"},
        {{"--version"}, 0, "ferrolux-report 1."},
        // A zero is printed as 0 whatever its sign, also one that a negative value rounds to.
        {{"--example", "--check", "--ambient=-0"}, 0, "Ambient 0.0 \xC2\xB0"},
        {{"--example", "--check", "--ambient=-0.04"}, 0, "Ambient 0.0 \xC2\xB0"},
        {{"--example", "--check", "--core-loss=-0"}, 0, "core loss 0 W"},
        {{"--example", "--json", "--ambient=-0"}, 0, "\"ambient_c\": 0.0,"},
        {{"--example", "--check", "--ambient=-1"}, 0, "Ambient -1.0 \xC2\xB0"},
        // The largest double over the rectifier factor (below 1) is no number: refused.
        {{"--winding-current", "half-wave-capacitor", kLargestDouble}, 2, "too large to compute"},
        {{"--help"}, 0, "--winding-current KIND AMPS"},
        {{"--winding-current", "bridge", "1"}, 2, "bridge-choke"},
        {{"--winding-current", "ac", "-1"}, 2, "not negative"},
        {{"--winding-current", "ac"}, 2, "--winding-current"},
        {{"--example", "--json", "--ambient", "100.01"}, 2, "from -50 to 100"},
        {{"--example", "--check", "--hot-spot", "50.5"}, 2, "--hot-spot"},
        {{"--example", "--check", "--core-loss", "inf"}, 2, "--core-loss"},
        {{"--example", "--check", "--emissivity", "0"}, 2, "from 0.01 to 1"},
        {{"--example", "--check", "--class", "C"}, 2, "A, E, B, F or H"},
        {{"--example", "--ambient", "20"}, 2, "only with --check or --json"},
        {{"--example", "--check", "--json"}, 2, "cannot be used together"},
        {{"--example", "--check", "--check"}, 2, "--check given more than once"},
        {{"--constants", "x", "--example"}, 2, "built-in limits"},
        {{"--example", "--eng", "1"}, 2, "cannot be used together"},
        {{"--eng", "1", "--json"}, 2, "--json applies only"},
        {{"--eng-complex", "1 + j2", "--constants", "x"}, 2, "--constants applies only"},
        {{"--eng", "117", "1e13", "abc"}, 0, " 117.0     \n+*.***E\xC2\xB1* \n 0.000     \n"},
        {{"--eng-complex", "100 + J-0.47"}, 0, " 100.0     \n-470.0e-3  \n"},
        {{"--eng", "1e999"}, 2, "1e999"},
        {{"--eng-complex", "no imaginary part"}, 2, ""},
        {{}, 2, ""},
        {{"--bogus"}, 2, "--bogus"},
        {{"one.dat", "two.dat"}, 2, ""},
        {{"--example", "extra"}, 2, ""},
    });
}

// Saved runs and constants files in a scratch folder. The refusal and the changed runs check
// that the tool reads the file as the window does; the analysis itself is analysis_test's.
TEST(ReportTool, FilesGiveTheReportTheirBlockAndCheckedLimits)
{
    ScratchFolder s;
    const std::string example = exampleLastRunFileBytes(), good = defaultConstantsFileBytes();
    LastRun none = exampleLastRun(), grayed = none, potted = none, cold = none, negative = none,
            flat = none;
    none.secondaryCount = "0", grayed.loading = 2, potted.typeCode = 4, potted.b = "0";
    cold.x = cold.y = cold.z = "1000";
    negative.secondaries[3].resistance = "-0.3";
    flat.x = "0";
    DesignExtras extras;
    extras.thermal.ambientC = 60;
    extras.thermal.insulationClass = InsulationClass::B;
    const std::size_t value = good.find("4.5");
    const auto limit = [&](const std::string &text) {
        return good.substr(0, value) + text + good.substr(value + 3);
    };
    std::filesystem::create_directory(s.path("bare"));
    ASSERT_EQ(mkfifo(s.path("pipe.DAT").c_str(), 0600), 0);
    for (const auto &[name, bytes] : std::initializer_list<std::pair<const char *, std::string>>{
             {"CONSTANT.DAT", good},
             {"Ferrolux.DAT", example},
             {"bare/Ferrolux.DAT", example}, // no CONSTANT.DAT beside it
             {"short.DAT", example.substr(0, example.find("40.0"))},
             {"none.DAT", lastRunFileBytes(none)},
             {"grayed.DAT", lastRunFileBytes(grayed)},
             {"potted.DAT", lastRunFileBytes(potted)},
             {"cold.DAT", lastRunFileBytes(cold)},
             {"negative.DAT", lastRunFileBytes(negative)},
             {"flat.DAT", lastRunFileBytes(flat)},
             {"extras.DAT", example + designExtrasBytes(extras)},
             {"blank.DAT", limit(" 4.5 ")},
             {"abc.DAT", limit("abc")},
             {"esc.DAT", limit("\x1b[2J")},
             {"cut.DAT", good.substr(0, value)}}) {
        writeBytes(s.path(name), bytes);
    }
    const auto json = [&](const char *constants) {
        return std::vector<std::string>{"--json", "--constants", s.path(constants),
                                        s.path("extras.DAT")};
    };
    expectRuns({
        {{s.path("Ferrolux.DAT")}, 0, workedExampleReportText()},
        {{"--", s.path("Ferrolux.DAT")}, 0, workedExampleReportText()},
        {{"--constants", s.path("x.DAT"), s.path("Ferrolux.DAT")}, 2, "x.DAT"},
        {{s.path("missing.DAT")}, 2, "missing.DAT"},
        // Refused at once: opening a named pipe for reading would wait for a writer.
        {{s.path("pipe.DAT")}, 2, "pipe.DAT': Not a regular file"},
        {{"--constants", s.path("pipe.DAT"), s.path("Ferrolux.DAT")}, 2, "Not a regular file"},
        {{s.path("bare/Ferrolux.DAT")}, 2, "CONSTANT.DAT"},
        {{s.path("short.DAT")}, 2, "short.DAT"},
        {{s.path("none.DAT")}, 1, "(field: number of secondaries)"},
        {{s.path("grayed.DAT")}, 0, "Secondayr 1     Voltage = 350.0     Volts\n"},
        // 10000 x 4.1920 W over the 622.42 cm² of the closed box.
        {{s.path("potted.DAT")}, 0, "          Power Dendity = 67.35     W/Sq Meter\n"},
        // Refused by name, as the window does: no negative winding, no flat transformer.
        {{s.path("negative.DAT")},
         1,
         "Secondary 4 Resistance is negative. (field: secondary 4 resistance)"},
        {{s.path("flat.DAT")}, 1, "Dimension X must be more than zero. (field: dimension X)"},
        // 4.19 W over some 2e6 cm2 radiates at about 47 K: the report keeps its line, the check
        // says it is colder than the air around it.
        {{s.path("cold.DAT")}, 0, "  Operating Temperature =-375."},
        {{"--check", s.path("cold.DAT")}, 0, "BELOW THE AMBIENT of 40.0 \xC2\xB0"},
        {{"--json", s.path("cold.DAT")}, 0, "\"temperature_below_ambient\": true"},
        // The file's block, then the command line overriding it.
        {json("CONSTANT.DAT"), 0, "\"ambient_c\": 60.0"},
        {json("blank.DAT"), 0, "\"insulation_class\": \"B\""},
        {json("blank.DAT"), 0, "\"class_limit_c\": 130.0"},
        {{"--check", s.path("extras.DAT")}, 0, "against class B's 130 \xC2\xB0"},
        {{s.path("extras.DAT"), "--json", "--ambient", "20"}, 0, "\"ambient_c\": 20.0"},
        {json("abc.DAT"), 2, "abc.DAT': record 4: \"abc\" is not a number"},
        {json("esc.DAT"), 2, "\"\\x1b[2J\""}, // escaped, never raw
        {json("cut.DAT"), 2, "cut.DAT"},
    });
    // A limit that does not read, and each bound named as the one broken (neither 0 nor 100 is
    // a limit).
    for (const auto &[text, status, said] :
         std::initializer_list<std::tuple<const char *, int, const char *>>{
             {"NaN", 2, "record 4"},
             {"1e999", 2, "record 4"},
             {"4.5x", 2, "record 4"},
             {"0", 2, "record 4: \"0\" is no limit: a limit must be above 0 %"},
             {"-0.5", 2, "a limit must be above 0 %"},
             {"100.5", 2, "record 4: \"100.5\" is no limit: a limit must be below 100 %"},
             {"100", 2, "a limit must be below 100 %"},
             {"99.5", 0, "\"report\""}}) {
        writeBytes(s.path("bound.DAT"), limit(text));
        expectRuns({{json("bound.DAT"), status, said}});
    }
    // A block value that does not read: the default (40 °C) is used, never 25, and it is told.
    writeBytes(s.path("comma.DAT"), example + "[Ferrolux extras]\r\nambient_c=25,5\r\n");
    const ToolRun comma = runTool({"--json", s.path("comma.DAT")});
    EXPECT_EQ(comma.status, 0) << comma.err;
    EXPECT_NE(comma.out.find("\"ambient_c\": 40.0"), std::string::npos);
    EXPECT_NE(comma.err.find("ambient_c=25,5: the value does not read"), std::string::npos)
        << comma.err;
}

// A design whose block holds two supplies: --check ends with the section of the one that reads,
// --json carries it under "supplies", and the one that does not read is told on standard error.
TEST(ReportTool, DesignSuppliesInCheckAndJsonAndOneThatDoesNotReadIsTold)
{
    ScratchFolder s;
    writeBytes(s.path("CONSTANT.DAT"), defaultConstantsFileBytes());
    writeBytes(s.path("AMP.DAT"),
               exampleLastRunFileBytes() + "[Ferrolux extras]\r\n" +
                   "supply1_mains_hz=60\r\nsupply1_circuit=full-wave-ct\r\nsupply1_valve=5U4G\r\n"
                   "supply1_filter=c:10\r\nsupply1_load_a=0.1\r\n"
                   "supply2_mains_hz=50\r\nsupply2_circuit=bridge\r\nsupply2_valve=6L6\r\n"
                   "supply2_filter=c:10\r\nsupply2_load_a=0.1\r\n");
    for (const auto &[mode, wanted] :
         {std::pair{"--check", "Supply of secondary 1: full-wave-ct, 5U4G valve"},
          std::pair{"--json", "\"supplies\""}}) {
        const ToolRun r = runTool({mode, s.path("AMP.DAT")});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(wanted), std::string::npos) << mode;
        EXPECT_EQ(r.out.find("Supply of secondary 2"), std::string::npos) << mode;
        EXPECT_NE(r.err.find("The supply of secondary 2 does not read"), std::string::npos)
            << r.err;
    }
    const auto json = nlohmann::json::parse(runTool({"--json", s.path("AMP.DAT")}).out);
    ASSERT_EQ(json.at("supplies").size(), 1u);
    const auto &supply = json.at("supplies").at(0);
    EXPECT_EQ(supply.at("secondary"), 1);
    // 350 V end to end, centre-tapped: 175 V a path, open circuit (the box is ticked).
    EXPECT_EQ(supply.at("vac"), 175.0);
    EXPECT_TRUE(supply.at("failure").is_null());
    EXPECT_GT(supply.at("dc_output_v").get<double>(), 0);
    EXPECT_LT(supply.at("dc_output_v").get<double>(), 175 * 1.4143);
    EXPECT_TRUE(supply.at("limits_known").get<bool>());
}

TEST(ReportTool, JsonHoldsTheFiguresAndAnUnwritableReportFails)
{
    const ToolRun r = runTool({"--example", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["report"].size(), 30u);
    EXPECT_EQ(j["secondaries"][0]["winding"], "plate");
    EXPECT_TRUE(j["secondaries"][0]["searched"].get<bool>());
    EXPECT_FALSE(j["secondaries"][2]["searched"].get<bool>());
    EXPECT_EQ(j["secondaries"][2]["winding"], "filament");
    // The worked example's surface exactly, worked out from X, Y, Z, A, B and C by hand.
    EXPECT_EQ(j["surface_cm2"].get<double>(), 2 * 11.3 * 9.6 + 2 * 4.0 * 11.3 +
                                                  4 * ((9.7 - 4.0) / 2) * 8.4 +
                                                  4 * ((9.7 - 4.0) / 2) * 6.4);
    EXPECT_NEAR(j["temperature_c"].get<double>(), 106.33, 0.01);
    EXPECT_EQ(j["thermal"]["models"][2]["name"], "convection_radiation");
    EXPECT_NEAR(j["thermal"]["hottest_c"].get<double>(), 59.0, 0.05);
    EXPECT_EQ(j["mains"].size(), 5u);
    EXPECT_EQ(j["mains"][0]["percent"].get<double>(), -10);
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(runReportTool({"--example"}, out, err), 2);
    EXPECT_NE(err.str().find("cannot write"), std::string::npos) << err.str();
}

TEST(ReportTool, PrintableTextEscapesControlsAndBadBytes)
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

// The real executable: the exit status and the untouched standard output only a process shows.
TEST(ReportTool, ExecutableExitStatusAndStandardOutput)
{
    ScratchFolder s;
    writeBytes(s.path("supply.json"),
               R"({"mains_hz": 60, "winding": {"vac": 550, "resistance_ohm": 85},
                   "rectifier": {"circuit": "full-wave-ct", "valve": "5U4G"},
                   "filter": [{"c_uf": 10}], "load": {"current_a": 0.125}})");
    writeBytes(s.path("bad.json"), "{}");
    const std::string report = workedExampleReportText();
    // Arguments, exit status, the whole of standard output (nullptr: anything but empty).
    const std::tuple<std::string, int, const char *> cases[] = {
        {"--example", 0, report.c_str()},
        {"--example --check --json", 2, ""},
        {"--supply " + s.path("supply.json") + " --json", 0, nullptr},
        {"--supply " + s.path("bad.json"), 2, ""}};
    for (const auto &[arguments, status, out] : cases) {
        const std::string command = std::string(FERROLUX_REPORT_TOOL) + " " + arguments + " >" +
                                    s.path("stdout") + " 2>" + s.path("stderr");
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw)) << arguments;
        EXPECT_EQ(WEXITSTATUS(raw), status) << arguments;
        const std::string written = testing_support::readBytes(s.path("stdout"));
        EXPECT_TRUE(out == nullptr ? !written.empty() : written == out) << arguments;
        EXPECT_EQ(testing_support::readBytes(s.path("stderr")).empty(), status == 0) << arguments;
    }
}

} // namespace
} // namespace ferrolux
