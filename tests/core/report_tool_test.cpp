#include "default_files.h"
#include "report_tool.h"
#include "scratch_folder.h"
#include "worked_example_input.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <tuple>
#include <vector>

namespace ferrolux {
namespace {

using testing_support::ScratchFolder;

// The real executable on files in a scratch folder, CONSTANT.DAT beside them.
TEST(ReportTool, ExecutableGivesTheReportOrRefusesWithItsExitStatus)
{
    std::string report;
    for (const std::string &line : testing_support::workedExampleReport()) {
        report += line + "\n";
    }
    ScratchFolder s;
    const std::string example = exampleLastRunFileBytes();
    LastRun none = exampleLastRun(), c0 = none, grayed = none, potted = none;
    none.secondaryCount = "0", c0.c = "0", grayed.loading = 2;
    potted.typeCode = 4, potted.b = "0";
    const std::pair<const char *, std::string> files[] = {
        {"CONSTANT.DAT", defaultConstantsFileBytes()},
        {"Ferrolux.DAT", example},
        {"short.DAT", example.substr(0, example.find("40.0"))},
        {"none.DAT", lastRunFileBytes(none)},
        {"c0.DAT", lastRunFileBytes(c0)},
        {"grayed.DAT", lastRunFileBytes(grayed)},
        {"potted.DAT", lastRunFileBytes(potted)}};
    for (const auto &[name, bytes] : files) {
        testing_support::writeBytes(s.path(name), bytes);
    }
    // Arguments, exit status, stdout (the whole report, or a line of it; empty on a refusal),
    // a text in stderr (empty on success).
    const std::tuple<std::string, int, std::string, std::string> cases[] = {
        {"--example", 0, report, ""},
        {s.path("Ferrolux.DAT"), 0, report, ""},
        {"--constants " + s.path("x.DAT") + " " + s.path("Ferrolux.DAT"), 2, "", "x.DAT"},
        {s.path("missing.DAT"), 2, "", "missing.DAT"},
        {s.path("short.DAT"), 2, "", "short.DAT"},
        {s.path("none.DAT"), 1, "", "(field: number of secondaries)"},
        {s.path("c0.DAT"), 1, "", "What kind of transformer do you have?\nA, B, C and D MUST"},
        {s.path("grayed.DAT"), 0, "Secondayr 1     Voltage = 350.0     Volts\n", ""},
        // 10000 x 4.1920 W over the 622.42 cm² of the closed box.
        {s.path("potted.DAT"), 0, "          Power Dendity = 67.35     W/Sq Meter\n", ""}};
    for (const auto &[arguments, status, out, err] : cases) {
        const std::string command = std::string(FERROLUX_REPORT_TOOL) + " " + arguments + " >" +
                                    s.path("stdout") + " 2>" + s.path("stderr");
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw)) << arguments;
        const std::string stdoutText = testing_support::readBytes(s.path("stdout"));
        const std::string stderrText = testing_support::readBytes(s.path("stderr"));
        EXPECT_EQ(WEXITSTATUS(raw), status) << arguments;
        EXPECT_TRUE(out == report ? stdoutText == report
                                  : stdoutText.find(out) != std::string::npos)
            << arguments << ": " << stdoutText;
        EXPECT_NE(stderrText.find(err), std::string::npos) << arguments << ": " << stderrText;
        EXPECT_EQ(std::count(stdoutText.begin(), stdoutText.end(), '\n'), status == 0 ? 30 : 0);
        EXPECT_EQ(stderrText.empty(), status == 0) << arguments << ": " << stderrText;
    }
}

TEST(ReportTool, EngineeringTextsAndUsageErrors)
{
    const std::tuple<std::vector<std::string>, int, const char *> cases[] = {
        {{"--eng", "117", "0", "1e13", "-2.5e-7", "abc"},
         0,
         " 117.0     \n 0.000     \n+*.***E\xC2\xB1* \n-250.0e-9  \n 0.000     \n"},
        {{"--eng", "1e999"}, 2, ""},
        {{"--eng"}, 2, ""},
        {{"--eng-complex", "100 + J-0.47"}, 0, " 100.0     \n-470.0e-3  \n"},
        {{"--eng-complex", "no imaginary part"}, 2, ""},
        {{}, 2, ""},
        {{"--bogus"}, 2, ""},
        {{"--constants", "x.dat"}, 2, ""},
        {{"one.dat", "two.dat"}, 2, ""},
        {{"--example", "extra"}, 2, ""}};
    for (const auto &[args, status, expected] : cases) {
        std::ostringstream out, err;
        const std::string name = args.empty() ? "(none)" : args.back();
        EXPECT_EQ(runReportTool(args, out, err), status) << name;
        EXPECT_EQ(out.str(), expected) << name;
        EXPECT_EQ(err.str().empty(), status == 0) << name << ": " << err.str();
    }
    // A report that cannot be written is a failure, not a success.
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(runReportTool({"--example"}, out, err), 2);
    EXPECT_NE(err.str().find("cannot write"), std::string::npos) << err.str();
}

} // namespace
} // namespace ferrolux
