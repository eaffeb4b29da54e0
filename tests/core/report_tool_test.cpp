#include "constants_file.h"
#include "default_files.h"
#include "last_run_file.h"
#include "report_tool.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <sys/wait.h>

namespace ferrolux {
namespace {

namespace fs = std::filesystem;

struct ToolRun
{
    int status = -1;
    std::string out;
    std::string err;
};

ToolRun runDirect(const std::vector<std::string> &args)
{
    std::ostringstream out, err;
    const int status = runReportTool(args, out, err);
    return {status, out.str(), err.str()};
}

std::string readWhole(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeWhole(const fs::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The first `count` lines of a CR LF record file.
std::string firstLines(const std::string &bytes, int count)
{
    std::size_t end = 0;
    for (int i = 0; i < count; ++i) {
        end = bytes.find("\r\n", end) + 2;
    }
    return bytes.substr(0, end);
}

std::size_t lineCount(const std::string &text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

std::string line(const std::string &text, std::size_t index)
{
    std::istringstream in(text);
    std::string result;
    for (std::size_t i = 0; i <= index; ++i) {
        std::getline(in, result);
    }
    return result;
}

class ReportToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "ferrolux-report-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path lastRunPath() const { return m_dir / kLastRunFileName; }
    fs::path constantsPath() const { return m_dir / kConstantsFileName; }

    // Runs the built executable through the shell, capturing both streams.
    ToolRun runProcess(const std::string &arguments) const
    {
        const fs::path out = m_dir / "stdout.txt", err = m_dir / "stderr.txt";
        const std::string command = std::string(FERROLUX_REPORT_TOOL) + " " + arguments + " >" +
                                    out.string() + " 2>" + err.string();
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readWhole(out), readWhole(err)};
    }

    fs::path m_dir;
};

TEST_F(ReportToolTest, FilesGiveTheReportOrAClearFailure)
{
    const std::string exampleReport = runDirect({"--example"}).out;
    ASSERT_EQ(lineCount(exampleReport), 30u);
    const auto changed = [](const std::function<void(LastRun &)> &change) {
        LastRun run = exampleLastRun();
        change(run);
        return lastRunFileBytes(run);
    };
    struct Case
    {
        const char *name;
        std::optional<std::string> lastRun, constants;
        int status;
        const char *errContains;
        std::function<void(const std::string &out)> checkOut;
    } const cases[] = {
        {"example", exampleLastRunFileBytes(), defaultConstantsFileBytes(), 0, "",
         [&](auto &out) { EXPECT_EQ(out, exampleReport); }},
        {"no last run", std::nullopt, defaultConstantsFileBytes(), 2, "Ferrolux.DAT", nullptr},
        {"short last run", firstLines(exampleLastRunFileBytes(), 10), defaultConstantsFileBytes(),
         2, "Ferrolux.DAT", nullptr},
        {"no constants", exampleLastRunFileBytes(), std::nullopt, 2, "CONSTANT.DAT", nullptr},
        {"short constants", exampleLastRunFileBytes(), firstLines(defaultConstantsFileBytes(), 3),
         2, "CONSTANT.DAT", nullptr},
        {"zero Vp", changed([](auto &run) { run.primaryVoltage = ""; }),
         defaultConstantsFileBytes(), 1, "TxtPriV", nullptr},
        {"grayed loading", changed([](auto &run) { run.loading = 2; }), defaultConstantsFileBytes(),
         0, "",
         [](auto &out) { EXPECT_EQ(line(out, 5), "Secondayr 1     Voltage = 350.0     Volts"); }},
        {"potted", changed([](auto &run) { run.typeCode = 4, run.b = "0"; }),
         defaultConstantsFileBytes(), 0, "",
         [](auto &out) {
             // 10000 x 4.1920 W over the 622.42 cm² of the closed box.
             EXPECT_EQ(line(out, 28), "          Power Dendity = 67.35     W/Sq Meter");
         }},
    };
    for (const Case &c : cases) {
        fs::remove(lastRunPath());
        fs::remove(constantsPath());
        if (c.lastRun) {
            writeWhole(lastRunPath(), *c.lastRun);
        }
        if (c.constants) {
            writeWhole(constantsPath(), *c.constants);
        }
        const ToolRun run = runDirect({lastRunPath().string()});
        EXPECT_EQ(run.status, c.status) << c.name;
        EXPECT_NE(run.err.find(c.errContains), std::string::npos) << c.name << ": " << run.err;
        if (c.checkOut) {
            c.checkOut(run.out);
        } else {
            EXPECT_EQ(run.out, "") << c.name;
        }
    }
}

TEST_F(ReportToolTest, ConstantsOptionAndDimensionMessage)
{
    const fs::path elsewhere = m_dir / "limits.dat";
    writeWhole(elsewhere, defaultConstantsFileBytes());
    writeWhole(lastRunPath(), exampleLastRunFileBytes());
    const ToolRun found = runDirect({"--constants", elsewhere.string(), lastRunPath().string()});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, runDirect({"--example"}).out);

    LastRun run = exampleLastRun();
    run.c = "0";
    writeWhole(lastRunPath(), lastRunFileBytes(run));
    const ToolRun refused = runDirect({lastRunPath().string(), "--constants", elsewhere.string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "What kind of transformer do you have?\n"
                           "A, B, C and D MUST all be zero or\n"
                           "MUST ALL have nonzero values.\n");
}

TEST(ReportToolArgsTest, ModesAndUsageErrors)
{
    struct Case
    {
        std::vector<std::string> args;
        int status;
        const char *out; // nullptr: not compared
    } const cases[] = {
        {{"--eng", "117", "0", "1e13", "-2.5e-7", "abc"},
         0,
         " 117.0     \n 0.000     \n+*.***E\xC2\xB1* \n-250.0e-9  \n 0.000     \n"},
        {{"--eng", "1e999"}, 2, ""},
        {{"--eng"}, 2, ""},
        {{"--eng-complex", "1.5 + j2.25"}, 0, " 1.500     \n 2.250     \n"},
        {{"--eng-complex", "100 + J-0.47"}, 0, " 100.0     \n-470.0e-3  \n"},
        {{"--eng-complex", "no imaginary part"}, 2, ""},
        {{"--eng-complex", "j1"}, 2, ""},
        {{"--eng-complex"}, 2, ""},
        {{}, 2, ""},
        {{"--bogus"}, 2, ""},
        {{"--constants"}, 2, ""},
        {{"--constants", "x.dat"}, 2, ""},
        {{"one.dat", "two.dat"}, 2, ""},
        {{"--example", "extra"}, 2, ""},
        {{"--help"}, 0, nullptr},
    };
    for (const Case &c : cases) {
        const ToolRun run = runDirect(c.args);
        const std::string name = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(run.status, c.status) << name;
        if (c.out != nullptr) {
            EXPECT_EQ(run.out, c.out) << name;
        }
        EXPECT_EQ(run.err.empty(), c.status == 0) << name << ": " << run.err;
    }
    EXPECT_NE(runDirect({"--help"}).out.find("--eng-complex TEXT"), std::string::npos);
}

TEST(ReportToolArgsTest, UnwritableOutputIsAFailure)
{
    for (const std::vector<std::string> &args :
         {std::vector<std::string>{"--example"}, {"--eng", "1"}, {"--help"}}) {
        std::ostringstream out, err;
        out.setstate(std::ios::badbit);
        EXPECT_EQ(runReportTool(args, out, err), 2) << args.front();
        EXPECT_NE(err.str().find("cannot write"), std::string::npos) << args.front();
    }
}

TEST_F(ReportToolTest, ExecutableExitStatusAndStreams)
{
    const ToolRun example = runProcess("--example");
    EXPECT_EQ(example.status, 0);
    EXPECT_EQ(example.out, runDirect({"--example"}).out);
    EXPECT_EQ(example.out.find('\r'), std::string::npos);
    EXPECT_EQ(example.err, "");

    const ToolRun missing = runProcess(lastRunPath().string());
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find(lastRunPath().string()), std::string::npos);

    LastRun run = exampleLastRun();
    run.secondaryCount = "0";
    writeWhole(lastRunPath(), lastRunFileBytes(run));
    writeWhole(constantsPath(), defaultConstantsFileBytes());
    const ToolRun refused = runProcess(lastRunPath().string());
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("TxtNoSec"), std::string::npos) << refused.err;
}

} // namespace
} // namespace ferrolux
