// The window and last-run files it cannot trust: damaged files are reported at start and kept
// beside the new file at Close, unreadable ones are never replaced without asking, a linked
// file is updated where it lives, a picture that is a named pipe never blocks, a folder that
// refuses new files gets the file written in place, and every case ends with the right status.

#include "../core/other_user.h"
#include "constants_file.h"
#include "default_files.h"
#include "last_run_file.h"
#include "window_fixture.h"

#include <QLabel>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace ferrolux::testing {
namespace {

namespace fs = std::filesystem;
using testing_support::AsOtherUser;

// Ends the process when a step blocks, so that a hang fails the test instead of stalling it.
struct Watchdog
{
    Watchdog()
    {
        std::signal(SIGALRM, [](int) { _exit(3); });
        alarm(20);
    }
    ~Watchdog() { alarm(0); }
};

bool loadsWhole(const std::string &bytes)
{
    return readLastRun(bytes).complete();
}

unsigned modeOf(const std::string &path)
{
    struct stat info
    {
    };
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777u : 0u;
}

// The example file with one record replaced (1-based), or with raw bytes put in front.
std::string exampleWith(int record, const std::string &text)
{
    std::string bytes = exampleLastRunFileBytes();
    std::size_t start = 0;
    for (int k = 1; k < record; ++k) {
        start = bytes.find("\r\n", start) + 2;
    }
    return bytes.replace(start, bytes.find("\r\n", start) - start, text);
}

std::string utf16(const std::string &latin1)
{
    std::string out = "\xFF\xFE";
    for (const char ch : latin1) {
        out += ch, out += '\0';
    }
    return out;
}

TEST(WindowFileSafety, DamagedFileIsReportedAtStartAndKeptBeforeCloseReplacesIt)
{
    // The file's bytes, and the record the start-up message must name ("" when it loads whole).
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF" + exampleLastRunFileBytes(), ""},
        {exampleWith(1, "maybe"), "record 1 "},
        {exampleWith(3, std::string(70000, '7')), "record 3:"},
        {exampleWith(23, "32768"), "record 23 "},
        {utf16(exampleLastRunFileBytes()), "record 1 "},
        {exampleWith(2, "1,17"), "record 30 "}, // a hand-edited comma shifts the records
    };
    for (const auto &[bytes, failedRecord] : cases) {
        SCOPED_TRACE(failedRecord.empty() ? "whole" : failedRecord);
        ProgramFolder folder;
        folder.write(kConstantsFileName, defaultConstantsFileBytes());
        const std::string path = folder.file(kLastRunFileName);
        const bool damaged = !failedRecord.empty();
        // Two rounds: the second copy gets a numbered name.
        for (const std::string &copy : {path + ".damaged", path + ".damaged.1"}) {
            folder.write(kLastRunFileName, bytes);
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
            EXPECT_TRUE(loadsWhole(folder.read(kLastRunFileName)));
            EXPECT_EQ(fs::exists(copy), damaged);
            if (damaged) {
                EXPECT_EQ(folder.read(copy.substr(copy.rfind('/') + 1).c_str()), bytes);
                EXPECT_TRUE(window.messages.back().second.contains(QString::fromStdString(copy)));
            }
            EXPECT_TRUE(window.questions.empty());
        }
    }
}

// A way of making the last-run file exist without being readable; false when it failed.
using Unreadable = std::function<bool(const std::string &path)>;

TEST(WindowFileSafety, UnreadableFileIsReportedWrittenNeverAndReplacedOnlyWhenTheUserSaysSo)
{
    const std::tuple<const char *, Unreadable, const char *, int> cases[] = {
        // what, how, the system's reason, the exit status when the user says yes
        {"a named pipe", [](const std::string &p) { return mkfifo(p.c_str(), 0600) == 0; },
         "Not a regular file", 1},
        {"a folder", [](const std::string &p) { return fs::create_directory(p); },
         "Not a regular file", 1},
        {"another user's 0600 file",
         [](const std::string &p) {
             std::ofstream(p) << "theirs";
             return ::chmod(p.c_str(), 0600) == 0;
         },
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
            window->load();
            ASSERT_EQ(window.messages.size(), 1u);
            EXPECT_TRUE(window.messages[0].second.contains(QString::fromStdString(path)));
            EXPECT_TRUE(window.messages[0].second.contains(reason));
            window.setText("TxtPriV", "240");
            window.click("CmdClose");
            EXPECT_EQ(window.questions.size(), 1u);
            EXPECT_EQ(window.quitCodes, std::vector<int>{yes ? statusOnYes : 0});
            setfsuid(0);
            const bool replaced =
                fs::is_regular_file(path) && loadsWhole(folder.read(kLastRunFileName));
            EXPECT_EQ(replaced, yes && statusOnYes == 0);
            if (regular) {
                EXPECT_EQ(modeOf(path), 0600u); // the mode stays, replaced or not
            }
            EXPECT_FALSE(fs::exists(path + ".damaged"));
        }
    }
}

TEST(WindowFileSafety, LinkedFileIsUpdatedWhereItLivesAndTheLinkStays)
{
    ProgramFolder folder;
    folder.writeExample();
    const std::string path = folder.file(kLastRunFileName);
    fs::create_directory(folder.file("data"));
    fs::rename(path, folder.file("data/runs.DAT"));
    fs::create_symlink("data/runs.DAT", path);
    WindowUnderTest window(folder);
    window->load();
    window.setText("TxtPriV", "240");
    window.click("CmdClose");
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(fs::read_symlink(path), "data/runs.DAT");
    EXPECT_EQ(splitRecords(folder.read("data/runs.DAT"))[1], "240");
    EXPECT_EQ(window.quitCodes, std::vector<int>{0});
}

TEST(WindowFileSafety, PictureThatIsANamedPipeNeverBlocksStartUp)
{
    ProgramFolder folder;
    folder.writeExample(true);
    const std::string picture = folder.file("Transformer-3.jpg"); // the example's type
    fs::remove(picture);
    ASSERT_EQ(mkfifo(picture.c_str(), 0600), 0);
    const Watchdog watchdog;
    WindowUnderTest window(folder);
    window->load();
    EXPECT_TRUE(window.child<QLabel>("Image1")->text().contains("Transformer-3.jpg"));
}

TEST(WindowFileSafety, FolderThatRefusesNewFilesGetsTheFileWrittenInPlaceAndSaysSo)
{
    ProgramFolder folder;
    folder.writeExample();
    fs::permissions(folder.path().toStdString(), fs::perms(0755));
    const std::string path = folder.file(kLastRunFileName);
    ASSERT_EQ(::chown(path.c_str(), testing_support::kNobody, 0), 0);
    const AsOtherUser other;
    if (!other.active()) {
        GTEST_SKIP() << "acting as another user needs root";
    }
    WindowUnderTest window(folder);
    window->load();
    window.setText("TxtPriV", "240");
    window.click("CmdClose");
    setfsuid(0);
    EXPECT_EQ(splitRecords(folder.read(kLastRunFileName))[1], "240");
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_TRUE(window.messages[0].second.contains("written in place"));
    EXPECT_TRUE(window.messages[0].second.contains("Permission denied"));
    EXPECT_EQ(window.quitCodes, std::vector<int>{0});
}

TEST(WindowFileSafety, UnreadableConstantsFileIsReportedAtStartAndNeverWritten)
{
    const std::pair<const char *, std::function<void(const std::string &)>> cases[] = {
        {"a named pipe", [](const std::string &p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }},
        {"a folder", [](const std::string &p) { fs::create_directory(p); }},
    };
    for (const auto &[what, make] : cases) {
        SCOPED_TRACE(what);
        ProgramFolder folder;
        folder.writeExample();
        const std::string constants = folder.file(kConstantsFileName);
        fs::remove(constants);
        make(constants);
        const auto typeBefore = fs::symlink_status(constants).type();
        const Watchdog watchdog;
        WindowUnderTest window(folder);
        window->load();
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_TRUE(window.messages[0].second.contains(QString::fromStdString(constants)));
        EXPECT_TRUE(window.messages[0].second.contains("Not a regular file"));
        window.click("CmdClose");
        EXPECT_EQ(fs::symlink_status(constants).type(), typeBefore);
        EXPECT_EQ(window.quitCodes, std::vector<int>{0});
    }
}

TEST(WindowFileSafety, DamagedFileThatCannotBeCopiedIsNotReplaced)
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

} // namespace
} // namespace ferrolux::testing
