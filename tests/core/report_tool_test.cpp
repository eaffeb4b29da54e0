#include "default_files.h"
#include "report_tool.h"
#include "scratch_folder.h"
#include "worked_example_input.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <tuple>
#include <vector>

namespace ferrolux {
namespace {

using testing_support::ScratchFolder;

std::string workedExampleReportText()
{
    std::string report;
    for (const std::string &line : testing_support::workedExampleReport()) {
        report += line + "\n";
    }
    return report;
}

// Saved runs in a scratch folder, CONSTANT.DAT beside them, through the tool's function.
TEST(ReportTool, FilesGiveTheReportOrRefuseWithTheExitStatus)
{
    const std::string report = workedExampleReportText();
    ScratchFolder s;
    const std::string example = exampleLastRunFileBytes();
    LastRun none = exampleLastRun(), c0 = none, grayed = none, potted = none, r1 = none;
    none.secondaryCount = "0", c0.c = "0", grayed.loading = 2, r1.secondaries[1].resistance = "";
    potted.typeCode = 4, potted.b = "0";
    const std::pair<const char *, std::string> files[] = {
        {"CONSTANT.DAT", defaultConstantsFileBytes()},
        {"Ferrolux.DAT", example},
        {"bare/Ferrolux.DAT", example}, // no CONSTANT.DAT beside it
        {"short.DAT", example.substr(0, example.find("40.0"))},
        {"none.DAT", lastRunFileBytes(none)},
        {"r1.DAT", lastRunFileBytes(r1)},
        {"c0.DAT", lastRunFileBytes(c0)},
        {"grayed.DAT", lastRunFileBytes(grayed)},
        {"potted.DAT", lastRunFileBytes(potted)}};
    std::filesystem::create_directory(s.path("bare"));
    for (const auto &[name, bytes] : files) {
        testing_support::writeBytes(s.path(name), bytes);
    }
    // Arguments, exit status, stdout (the whole report, or a line of it; empty on a refusal),
    // a text in stderr (empty on success).
    const std::tuple<std::vector<std::string>, int, std::string, std::string> cases[] = {
        {{s.path("Ferrolux.DAT")}, 0, report, ""},
        {{"--", s.path("Ferrolux.DAT")}, 0, report, ""},
        {{"--constants", s.path("x.DAT"), s.path("Ferrolux.DAT")}, 2, "", "x.DAT"},
        {{s.path("missing.DAT")}, 2, "", "missing.DAT"},
        {{s.path("bare/Ferrolux.DAT")}, 2, "", "CONSTANT.DAT"},
        {{s.path("short.DAT")}, 2, "", "short.DAT"},
        {{s.path("none.DAT")}, 1, "", "(field: number of secondaries)"},
        {{s.path("r1.DAT")}, 1, "", "zero or empty. (field: secondary 2 resistance)"},
        {{s.path("c0.DAT")}, 1, "", "What kind of transformer do you have?\nA, B, C and D MUST"},
        {{s.path("grayed.DAT")}, 0, "Secondayr 1     Voltage = 350.0     Volts\n", ""},
        // 10000 x 4.1920 W over the 622.42 cm² of the closed box.
        {{s.path("potted.DAT")}, 0, "          Power Dendity = 67.35     W/Sq Meter\n", ""}};
    for (const auto &[arguments, status, out, err] : cases) {
        std::ostringstream stdoutText, stderrText;
        EXPECT_EQ(runReportTool(arguments, stdoutText, stderrText), status) << arguments.back();
        EXPECT_TRUE(out == report ? stdoutText.str() == report
                                  : stdoutText.str().find(out) != std::string::npos)
            << arguments.back() << ": " << stdoutText.str();
        EXPECT_NE(stderrText.str().find(err), std::string::npos) << stderrText.str();
        EXPECT_EQ(stdoutText.str().empty(), status != 0) << arguments.back();
        EXPECT_EQ(stderrText.str().empty(), status == 0) << stderrText.str();
    }
}

// The real executable: one report, and the exit status and empty standard output that only a
// process shows.
TEST(ReportTool, ExecutableExitStatusAndStandardOutput)
{
    const std::string report = workedExampleReportText();
    ScratchFolder s;
    LastRun none = exampleLastRun();
    none.secondaryCount = "0";
    testing_support::writeBytes(s.path("CONSTANT.DAT"), defaultConstantsFileBytes());
    testing_support::writeBytes(s.path("none.DAT"), lastRunFileBytes(none));
    // Arguments, exit status, whether stdout holds the report (otherwise it is empty).
    const std::tuple<std::string, int, bool> cases[] = {{"--example", 0, true},
                                                        {s.path("none.DAT"), 1, false},
                                                        {"--example --check --json", 2, false}};
    for (const auto &[arguments, status, printsReport] : cases) {
        const std::string command = std::string(FERROLUX_REPORT_TOOL) + " " + arguments + " >" +
                                    s.path("stdout") + " 2>" + s.path("stderr");
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw)) << arguments;
        EXPECT_EQ(WEXITSTATUS(raw), status) << arguments;
        EXPECT_EQ(testing_support::readBytes(s.path("stdout")), printsReport ? report : "")
            << arguments;
        EXPECT_EQ(testing_support::readBytes(s.path("stderr")).empty(), status == 0) << arguments;
    }
}

TEST(ReportTool, AReportThatCannotBeWrittenIsAFailure)
{
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(runReportTool({"--example"}, out, err), 2);
    EXPECT_NE(err.str().find("cannot write"), std::string::npos) << err.str();
}

} // namespace
} // namespace ferrolux
