// The calculator window with its files. A first start and the worked report; Close and a new
// window; Load on a short file. Files it cannot trust: unreadable last-run files are reported
// and replaced only when the user says so, damaged ones are kept beside the new file, a damaged
// or unreadable constants file keeps the limits it does not give and is never written, a picture
// that is a named pipe never blocks, bytes beyond text come back as they were read. Close on a
// disk that refuses keeps the previous file, says why and ends with a failure status.

#include "../core/injected_faults.h"
#include "../core/other_user.h"
#include "../core/worked_example_input.h"
#include "window_fixture.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace ferrolux::testing {
namespace {

namespace fs = std::filesystem;
using testing_support::AsOtherUser;

QString loadCaption(const WindowUnderTest &window)
{
    return window.child<QPushButton>("CmdLoadData")->text();
}

std::array<double, 4> limitsOf(const WindowUnderTest &window)
{
    const DissipationLimits &l = window->limits();
    return {l.OCPPDis, l.OCFPDis, l.POTPPDis, l.POTFPDis};
}

// Ways of putting something in place of a data file; false when it failed.
using Maker = std::function<bool(const std::string &path)>;
const Maker makeNothing = [](const std::string &) { return true; };
const Maker makeFolder = [](const std::string &p) { return fs::create_directory(p); };
// Opening a named pipe for reading waits until some program opens it for writing.
const Maker makeNamedPipe = [](const std::string &p) { return mkfifo(p.c_str(), 0600) == 0; };
Maker makeBytes(std::string bytes)
{
    return [bytes](const std::string &p) { return bool(std::ofstream(p) << bytes); };
}

TEST(WindowFiles, FirstStartShowsTheWorkedReportAndCloseSavesWhatANewWindowRestores)
{
    ProgramFolder folder;
    ASSERT_EQ(seedFirstStart(folder.file("")), "");
    QStringList saved;
    {
        WindowUnderTest window(folder);
        window->load();
        EXPECT_EQ(window.visibleRows(), 4);
        EXPECT_EQ(window.checkedTypes(), QStringList{"OpType3"});
        EXPECT_EQ(window.child<QCheckBox>("ChkLoading")->checkState(), Qt::Checked);
        EXPECT_EQ(loadCaption(window), "Load Example");
        EXPECT_EQ(limitsOf(window), (std::array{2.5, 4.5, 1.5, 2.5}));
        window.click("CmdCalc");
        QStringList report;
        for (const std::string &line : testing_support::workedExampleReport()) {
            report << QString::fromStdString(line);
        }
        EXPECT_EQ(window->reportLines(), report);
        window.setText("TxtPriR", "");
        window.setText("TxtNoSec", "5");
        window.setText("TxtSec1V_4", "12.6");
        window.setText("TxtSec1R_4", "0.05");
        window.setText("TxtX", QString(40000, '9')); // longer than QLineEdit's default limit
        window.click("OpType2");
        window.child<QCheckBox>("ChkLoading")->setCheckState(Qt::PartiallyChecked);
        saved = window.fieldTexts();
        window.click("CmdClose");
        EXPECT_EQ(window.quitCodes, std::vector<int>{0});
        EXPECT_TRUE(window.messages.empty());
    }
    WindowUnderTest restored(folder);
    restored->load();
    EXPECT_EQ(restored.fieldTexts(), saved);
    EXPECT_EQ(restored.visibleRows(), 5);
    EXPECT_EQ(restored.checkedTypes(), QStringList{"OpType2"});
    EXPECT_EQ(restored.child<QCheckBox>("ChkLoading")->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(loadCaption(restored), "Load Last Run");
}

TEST(WindowFiles, LoadDiscardsEditsAndTakesWhatAShortFileHolds)
{
    // Records in the file, then what Load leaves in record 11, the type options and the plate
    // limit: a short file keeps the fields it does not reach and never reaches the constants
    // file, but applies the type once it has read record 23.
    const std::tuple<std::size_t, QString, QStringList, double> cases[] = {
        {30, "5.297", {"OpType3"}, 2.5},
        {23, "5.297", {"OpType3"}, 0},
        {10, "edited", {"OpMil"}, 0}};
    for (const auto &[count, secondary3Voltage, types, plateLimit] : cases) {
        SCOPED_TRACE(count);
        ProgramFolder folder(ProgramFolder::Example);
        folder.write(kLastRunFileName, joinRecords(testing_support::workedExampleRecords(), count));
        WindowUnderTest window(folder);
        window->load();
        for (const QString &name : inputFieldNames()) {
            window.setText(name, "edited");
        }
        window.click("OpMil");
        window->setLimits({});
        window.click("CmdLoadData");
        EXPECT_EQ(window.fieldTexts().mid(0, 6),
                  (QStringList{"117", "2.05", "4", "350", "0", "67.4"}));
        EXPECT_EQ(window.text("TxtSec1R_1"), "7.60");
        EXPECT_EQ(window.text("TxtSec1V_2"), secondary3Voltage);
        EXPECT_EQ(window.checkedTypes(), types);
        EXPECT_EQ(window->limits().OCPPDis, plateLimit);
        EXPECT_EQ(loadCaption(window), "Load Example");
    }
}

TEST(WindowFiles, UnreadableFileChangesNothingAndIsReplacedOnlyWhenTheUserSaysSo)
{
    const std::tuple<const char *, Maker, const char *, int> cases[] = {
        // what, how, the system's reason, the exit status when the user says yes
        {"a named pipe", makeNamedPipe, "Not a regular file", 1},
        {"a folder", makeFolder, "Not a regular file", 1},
        {"another user's 0600 file",
         [](const std::string &p) { return makeBytes("theirs")(p) && chmod(p.c_str(), 0600) == 0; },
         "Permission denied", 0},
    };
    for (const auto &[what, make, reason, statusOnYes] : cases) {
        for (const bool yes : {false, true}) {
            SCOPED_TRACE(std::string(what) + (yes ? ", answered yes" : ", answered no"));
            ProgramFolder folder;
            fs::permissions(folder.path().toStdString(), fs::perms(0777));
            folder.write(kConstantsFileName, defaultConstantsFileBytes());
            const std::string path = folder.file(kLastRunFileName);
            ASSERT_TRUE(make(path));
            const bool regular = fs::is_regular_file(path);
            const AsOtherUser other;
            if (regular && !other.active()) {
                GTEST_SKIP() << "acting as another user needs root";
            }
            if (!regular) {
                setfsuid(0);
            }
            const Watchdog watchdog;
            WindowUnderTest window(folder);
            window.answerYes = yes;
            for (const QString &name : inputFieldNames()) {
                window.setText(name, "before");
            }
            window->load();
            window.click("CmdLoadData");
            EXPECT_EQ(window.fieldTexts(), QStringList(inputFieldNames().size(), "before"));
            EXPECT_TRUE(window.checkedTypes().isEmpty());
            EXPECT_EQ(loadCaption(window), "Load Last Run");
            EXPECT_EQ(window->limits().OCPPDis, 0); // the constants come after a whole last run
            ASSERT_EQ(window.messages.size(), 1u);
            EXPECT_TRUE(window.messages[0].second.contains(QString::fromStdString(path)));
            EXPECT_TRUE(window.messages[0].second.contains(reason));
            window.click("CmdClose");
            EXPECT_EQ(window.questions.size(), 1u);
            EXPECT_EQ(window.quitCodes, std::vector<int>{yes ? statusOnYes : 0});
            setfsuid(0);
            const bool replaced =
                fs::is_regular_file(path) && readLastRun(folder.read(kLastRunFileName)).complete();
            EXPECT_EQ(replaced, yes && statusOnYes == 0);
            if (regular) {
                struct stat info
                {
                };
                ASSERT_EQ(lstat(path.c_str(), &info), 0);
                EXPECT_EQ(info.st_mode & 07777u, 0600u); // the mode stays, replaced or not
            }
            EXPECT_FALSE(fs::exists(path + ".damaged"));
        }
    }
}

// The example file with one record replaced (1-based).
std::string exampleWith(int record, const std::string &text)
{
    std::vector<std::string> records = splitRecords(exampleLastRunFileBytes());
    records[static_cast<std::size_t>(record - 1)] = text;
    return joinRecords(records);
}

TEST(WindowFiles, DamagedFileIsReportedAtStartAndKeptBeforeCloseReplacesIt)
{
    // The file's bytes, and the record the start-up message must name ("" when it loads whole);
    // which record fails is the reader's rule (the core's LastRunFile tests).
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF" + exampleLastRunFileBytes(), ""},
        {exampleWith(1, "maybe"), "record 1 "},
        {exampleWith(23, "32768"), "record 23 "},
    };
    for (const auto &[bytes, failedRecord] : cases) {
        SCOPED_TRACE(failedRecord.empty() ? "whole" : failedRecord);
        ProgramFolder folder(ProgramFolder::Example);
        folder.write(kLastRunFileName, bytes);
        const std::string path = folder.file(kLastRunFileName);
        const bool damaged = !failedRecord.empty();
        WindowUnderTest window(folder);
        window->load();
        ASSERT_EQ(window.messages.size(), damaged ? 1u : 0u);
        if (damaged) {
            const QString &message = window.messages[0].second;
            EXPECT_TRUE(message.contains(QString::fromStdString(path)));
            EXPECT_TRUE(message.contains(QString::fromStdString(failedRecord)))
                << message.toStdString();
        }
        window.click("CmdClose");
        EXPECT_EQ(window.quitCodes, std::vector<int>{0});
        EXPECT_TRUE(readLastRun(folder.read(kLastRunFileName)).complete());
        EXPECT_EQ(fs::exists(path + ".damaged"), damaged);
        if (damaged) {
            EXPECT_EQ(testing_support::readBytes(path + ".damaged"), bytes);
            EXPECT_TRUE(
                window.messages.back().second.contains(QString::fromStdString(path + ".damaged")));
        }
        EXPECT_TRUE(window.questions.empty());
    }
}

TEST(WindowFiles, DamagedFileThatCannotBeCopiedIsNotReplaced)
{
    ProgramFolder folder;
    const std::string damaged = exampleWith(23, "32768");
    folder.write(kLastRunFileName, damaged);
    // Every name the copy could take is occupied by a folder.
    const std::string path = folder.file(kLastRunFileName);
    fs::create_directory(path + ".damaged");
    for (int k = 1; k < 1000; ++k) {
        fs::create_directory(path + ".damaged." + std::to_string(k));
    }
    WindowUnderTest window(folder);
    window->load();
    window.click("CmdClose");
    EXPECT_EQ(folder.read(kLastRunFileName), damaged);
    EXPECT_EQ(window.quitCodes, std::vector<int>{1});
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_TRUE(window.messages[1].second.contains("not saved"));
}

TEST(WindowFiles, DamagedConstantsFileIsToldOnceKeepsTheLimitsItDoesNotGiveAndIsNeverWritten)
{
    // The limits a previous load left are all 9, to tell "kept" from "read as 0"; then the words
    // the one message must hold ("" for none).
    const std::tuple<const char *, Maker, std::array<double, 4>, const char *> cases[] = {
        {"a zero limit",
         makeBytes("a\r\n0\r\nb\r\n4.5\r\nc\r\n5\r\nd\r\n4.5\r\n"),
         {0, 4.5, 5, 4.5},
         "record 2: the plate winding, open core limit reads as 0 %"},
        {"a limit of 100 %",
         makeBytes("a\r\n2.5\r\nb\r\n4.5\r\nc\r\n1.5\r\nd\r\n100\r\n"),
         {2.5, 4.5, 1.5, 100},
         "record 8: the filament winding, potted limit reads as 100 %, and a limit must be below"},
        {"empty", makeBytes(""), {9, 9, 9, 9}, "record 1"},
        {"missing", makeNothing, {9, 9, 9, 9}, "could not be read"},
        {"a folder", makeFolder, {9, 9, 9, 9}, "Not a regular file"},
        {"a named pipe", makeNamedPipe, {9, 9, 9, 9}, "Not a regular file"},
        {"whole", makeBytes(defaultConstantsFileBytes()), {2.5, 4.5, 1.5, 2.5}, ""},
    };
    for (const auto &[what, make, limits, words] : cases) {
        SCOPED_TRACE(what);
        ProgramFolder folder;
        folder.write(kLastRunFileName, exampleLastRunFileBytes());
        const std::string path = folder.file(kConstantsFileName);
        ASSERT_TRUE(make(path));
        const auto state = [&] {
            return std::pair(fs::symlink_status(path).type(),
                             fs::is_regular_file(path) ? folder.read(kConstantsFileName) : "");
        };
        const auto before = state();
        const Watchdog watchdog;
        WindowUnderTest window(folder);
        window->setLimits({9, 9, 9, 9});
        window->load();
        EXPECT_EQ(limitsOf(window), limits);
        EXPECT_EQ(window.text("TxtC"), "6.4"); // the last-run file was read whole all the same
        EXPECT_EQ(window.checkedTypes(), QStringList{"OpType3"});
        EXPECT_EQ(window->limitsWarning().isEmpty(), *words == '\0');
        ASSERT_EQ(window.messages.size(), *words == '\0' ? 0u : 1u);
        if (*words != '\0') {
            const QString &text = window.messages[0].second;
            EXPECT_TRUE(text.contains(QString::fromStdString(path))) << text.toStdString();
            EXPECT_TRUE(text.contains(words)) << text.toStdString();
        }
        // Load and Calculate do not repeat it, and Close leaves the file as the user had it.
        window.click("CmdLoadData");
        window.click("CmdCalc");
        window.click("CmdClose");
        EXPECT_EQ(window.messages.size(), *words == '\0' ? 0u : 1u);
        EXPECT_EQ(window.quitCodes, std::vector<int>{0});
        EXPECT_EQ(state(), before);
    }
}

TEST(WindowFiles, BinaryBytesComeBackAsTheyWereAndForeignTextKeepsTheRecordsInPlace)
{
    // Every byte but the four that delimit records, and a field that begins with control
    // characters, which are no blanks to the reader.
    std::string everyByte = "1";
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n' && b != ',' && b != '"') {
            everyByte.push_back(static_cast<char>(b));
        }
    }
    std::vector<std::string> lines = splitRecords(exampleLastRunFileBytes());
    lines[1] = everyByte;                     // TxtPriV
    lines[23] = std::string("\0\x1b\xb0", 3); // TxtX
    ProgramFolder folder(ProgramFolder::Example);
    folder.write(kLastRunFileName, joinRecords(lines));
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
    EXPECT_EQ(splitRecords(folder.read(kLastRunFileName)), lines);
}

TEST(WindowFiles, PictureThatIsANamedPipeNeverBlocksStartUp)
{
    ProgramFolder folder(ProgramFolder::Pictures);
    const std::string picture = folder.file("Transformer-3.jpg"); // the example's type
    fs::remove(picture);
    ASSERT_TRUE(makeNamedPipe(picture));
    const Watchdog watchdog;
    WindowUnderTest window(folder);
    window->load();
    EXPECT_TRUE(window.child<QLabel>("Image1")->text().contains("Transformer-3.jpg"));
}

class CloseFaults : public ::testing::TestWithParam<testing_support::WriteFault>
{
};

TEST_P(CloseFaults, KeepThePreviousFileTellTheUserWhyAndStillQuit)
{
    testing_support::FaultyFolder program(GetParam());
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
    EXPECT_EQ(window.quitCodes, std::vector<int>{1});
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
