// The calculator window meeting unusable data files and a disk that refuses to save. A folder,
// an empty file, a named pipe or 100 MB of garbage in place of a data file neither crashes
// nor hangs the window, which takes only what the file validly held; binary bytes come back
// as they were read and text beyond Latin-1 keeps every record in place; Close on a refusing
// disk keeps the previous file, tells the user why and still ends the program.

#include "../core/injected_faults.h"
#include "constants_file.h"
#include "default_files.h"
#include "last_run_file.h"
#include "window_fixture.h"

#include <QPushButton>
#include <array>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace ferrolux::testing {
namespace {

using testing_support::FaultyFolder;
using testing_support::WriteFault;

// Ends the test process with a message when a step blocks for 20 seconds, so that a hang
// fails the test instead of stalling the whole run.
struct Watchdog
{
    Watchdog()
    {
        std::signal(SIGALRM, [](int) {
            const char message[] = "window_faults_test: a file operation blocked; giving up\n";
            [[maybe_unused]] const auto written = write(2, message, sizeof message - 1);
            _exit(1);
        });
        alarm(20);
    }
    ~Watchdog() { alarm(0); }
};

// Ways of putting something in place of a data file.
using Maker = std::function<void(const std::string &path)>;

void makeNothing(const std::string &) {}

void makeFolder(const std::string &path)
{
    std::filesystem::create_directory(path);
}

// Opening a named pipe for reading waits until some program opens it for writing.
void makeNamedPipe(const std::string &path)
{
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
}

// 100 MB of NUL bytes on one line.
void makeHundredMegabytes(const std::string &path)
{
    std::ofstream(path, std::ios::binary).close();
    std::filesystem::resize_file(path, 100 << 20);
}

Maker makeBytes(std::string bytes)
{
    return [bytes](const std::string &path) { std::ofstream(path, std::ios::binary) << bytes; };
}

TEST(WindowFaults, UnusableLastRunFileChangesNothingAndNeverHangs)
{
    const std::pair<const char *, Maker> cases[] = {{"a folder", makeFolder},
                                                    {"an empty file", makeBytes("")},
                                                    {"a named pipe", makeNamedPipe},
                                                    {"100 MB", makeHundredMegabytes}};
    for (const auto &[what, make] : cases) {
        SCOPED_TRACE(what);
        ProgramFolder folder;
        folder.write(kConstantsFileName, defaultConstantsFileBytes());
        make(folder.file(kLastRunFileName));
        WindowUnderTest window(folder);
        for (const QString &name : inputFieldNames()) {
            window.setText(name, "before");
        }
        const Watchdog watchdog;
        window->load();
        window.click("CmdLoadData");
        EXPECT_EQ(window.fieldTexts(), QStringList(inputFieldNames().size(), "before"));
        EXPECT_TRUE(window.checkedTypes().isEmpty());
        EXPECT_FALSE(window->holdsExample());
        EXPECT_EQ(window.child<QPushButton>("CmdLoadData")->text(), "Load Last Run");
        EXPECT_EQ(window->limits().OCPPDis,
                  0); // the constants are read only after a whole last run
    }
}

TEST(WindowFaults, DamagedConstantsFileKeepsTheLimitsItDoesNotGive)
{
    // The limits a previous load left behind are all 9, to tell "kept" from "read as 0".
    const std::tuple<const char *, Maker, std::array<double, 4>> cases[] = {
        {"missing", makeNothing, {9, 9, 9, 9}},
        {"a folder", makeFolder, {9, 9, 9, 9}},
        {"a named pipe", makeNamedPipe, {9, 9, 9, 9}},
        {"three records", makeBytes("a\r\n2.5\r\nb\r\n"), {2.5, 9, 9, 9}},
        {"words for numbers",
         makeBytes("a\r\nlots\r\nb\r\n4.5\r\nc\r\n\r\nd\r\n%\r\n"),
         {0, 4.5, 0, 0}}};
    for (const auto &[what, make, limits] : cases) {
        SCOPED_TRACE(what);
        ProgramFolder folder;
        folder.write(kLastRunFileName, exampleLastRunFileBytes());
        make(folder.file(kConstantsFileName));
        WindowUnderTest window(folder);
        window->setLimits({9, 9, 9, 9});
        const Watchdog watchdog;
        window->load();
        EXPECT_EQ((std::array{window->limits().OCPPDis, window->limits().OCFPDis,
                              window->limits().POTPPDis, window->limits().POTFPDis}),
                  limits);
        // The last-run file was read whole all the same.
        EXPECT_EQ(window.text("TxtC"), "6.4");
        EXPECT_EQ(window.checkedTypes(), QStringList{"OpType3"});
    }
}

TEST(WindowFaults, BinaryBytesComeBackAsTheyWereAndForeignTextKeepsTheRecordsInPlace)
{
    // Every byte but the four that delimit records, and a field that begins with control
    // characters, which are no blanks to the reader.
    std::string everyByte = "1";
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n' && b != ',' && b != '"') {
            everyByte.push_back(static_cast<char>(b));
        }
    }
    std::vector<std::string> lines = records(exampleLastRunFileBytes());
    lines[1] = everyByte;                     // TxtPriV
    lines[23] = std::string("\0\x1b\xb0", 3); // TxtX
    std::string bytes;
    for (const std::string &line : lines) {
        bytes += line + "\r\n";
    }
    ProgramFolder folder;
    folder.write(kLastRunFileName, bytes);
    folder.write(kConstantsFileName, defaultConstantsFileBytes());
    WindowUnderTest window(folder);
    window->load();
    EXPECT_EQ(window.text("TxtPriV"), QString::fromLatin1(lines[1]));
    EXPECT_EQ(window.text("TxtX"), QString::fromLatin1(lines[23]));
    EXPECT_EQ(window->limits().OCFPDis, 4.5); // the rest of the file still lined up

    // Omega, a CJK character and a character beyond the basic plane: each a question mark.
    window.setText("TxtPriR", QString::fromUtf8("2\xCE\xA9\xE4\xB8\xAD\xF0\x9F\x94\x8C"
                                                "05"));
    window.click("CmdClose");
    EXPECT_TRUE(window.messages.empty());
    lines[0] = "False", lines[2] = "2???05", lines[22] = " 3 ", lines[29] = " 1 ";
    EXPECT_EQ(records(folder.read(kLastRunFileName)), lines);
}

class CloseFaults : public ::testing::TestWithParam<WriteFault>
{
};

TEST_P(CloseFaults, KeepThePreviousFileTellTheUserWhyAndStillQuit)
{
    FaultyFolder program(GetParam());
    if (!program.usable()) {
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    }
    const std::string path = program.folder() + kLastRunFileName;
    testing_support::writeBytes(path, exampleLastRunFileBytes());
    testing_support::writeBytes(program.folder() + kConstantsFileName, defaultConstantsFileBytes());
    WindowUnderTest window(QString::fromStdString(program.folder()));
    window->load();
    window.setText("TxtPriV", "240");
    ASSERT_TRUE(program.arm());
    window.click("CmdClose");

    EXPECT_EQ(testing_support::readBytes(path), exampleLastRunFileBytes());
    EXPECT_EQ(window.quitCodes, std::vector<int>{0});
    ASSERT_EQ(window.messages.size(), 1u);
    for (const std::string &part : {path, std::string(GetParam().cause)}) {
        EXPECT_TRUE(window.messages[0].second.contains(QString::fromStdString(part)))
            << window.messages[0].second.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFault, CloseFaults,
                         ::testing::ValuesIn(testing_support::kWriteFaults));

} // namespace
} // namespace ferrolux::testing
