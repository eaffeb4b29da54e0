// The calculator window meeting damaged files and a disk that refuses to save. Loading a
// folder, an empty file, 100 MB of garbage or binary bytes never crashes or hangs and changes
// only what the file validly held; Close on a full, size-limited or read-only disk keeps the
// previous file intact, tells the user why and still ends the program.

#include "../core/injected_faults.h"
#include "constants_file.h"
#include "default_files.h"
#include "last_run_file.h"
#include "window_fixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace ferrolux::testing {
namespace {

namespace fs = std::filesystem;
using testing_support::FileSizeLimit;
using testing_support::TmpfsMount;

constexpr std::uint64_t kHundredMegabytes = 100ull * 1024 * 1024;

void writeLarge(const std::string &path, const std::function<char(std::uint64_t)> &byteAt)
{
    std::ofstream out(path, std::ios::binary);
    std::string block(1 << 20, '\0');
    for (std::uint64_t offset = 0; offset < kHundredMegabytes; offset += block.size()) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            block[i] = byteAt(offset + i);
        }
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
}

TEST(WindowFaults, UnusableLastRunFileChangesNothingAndNeverHangs)
{
    std::mt19937 random(3);
    std::string noise(1 << 16, '\0');
    for (char &byte : noise) {
        byte = static_cast<char>(random() % 256);
    }
    const struct
    {
        const char *what;
        std::function<void(const std::string &path)> make;
    } cases[] = {
        {"a folder", [](const std::string &path) { fs::create_directory(path); }},
        {"an empty file", [](const std::string &path) { std::ofstream(path, std::ios::binary); }},
        {"100 MB on one line",
         [](const std::string &path) { writeLarge(path, [](std::uint64_t) { return '7'; }); }},
        {"100 MB of random bytes after a bad flag",
         [&](const std::string &path) {
             writeLarge(path,
                        [&](std::uint64_t i) { return i < 3 ? 'x' : noise[i % noise.size()]; });
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder;
        folder.write(kConstantsFileName, defaultConstantsFileBytes());
        c.make(folder.file(kLastRunFileName));
        WindowUnderTest window(folder);
        for (const QString &name : inputFieldNames()) {
            window.setText(name, "before");
        }
        window->Form_Load();
        for (const QString &name : inputFieldNames()) {
            EXPECT_EQ(window.text(name), "before") << name.toStdString();
        }
        EXPECT_TRUE(window.checkedTypes().isEmpty());
        EXPECT_FALSE(window->bExample);
        EXPECT_EQ(window.child<QPushButton>("CmdLoadData")->text(), "Load Last Run");
        EXPECT_EQ(window->OCPPDis, 0); // the constants are read only after a whole last run
        window.click("CmdLoadData");
        EXPECT_EQ(window.text("TxtPriV"), "before");
    }
}

TEST(WindowFaults, BinaryBytesInFieldsArriveAsTheirLatin1Characters)
{
    std::vector<std::string> lines = records(exampleLastRunFileBytes());
    lines[1] = std::string("1\x01\x7f\xa0\xe9\xff", 6); // TxtPriV
    lines[2] = std::string("\0\x1b"
                           "2.05",
                           6);                  // TxtPriR
    lines[23] = std::string("\xb0\xb1\xd7", 3); // TxtX
    std::string bytes;
    for (const std::string &line : lines) {
        bytes += line + "\r\n";
    }
    ProgramFolder folder;
    folder.write(kLastRunFileName, bytes);
    folder.write(kConstantsFileName, defaultConstantsFileBytes());
    WindowUnderTest window(folder);
    window->Form_Load();

    EXPECT_EQ(window.text("TxtPriV"), QString::fromLatin1("1\x01\x7f\xa0\xe9\xff", 6));
    EXPECT_EQ(window.text("TxtPriR"), QString::fromLatin1("\0\x1b"
                                                          "2.05",
                                                          6));
    EXPECT_EQ(window.text("TxtX"), QString::fromLatin1("\xb0\xb1\xd7", 3));
    // The rest of the file still lines up: the last record set the check box.
    EXPECT_EQ(window.text("TxtC"), "6.4");
    EXPECT_EQ(window->OCFPDis, 4.5);

    // Saved again, the bytes come back exactly as they were read.
    window.click("CmdClose");
    EXPECT_TRUE(window.messages.empty());
    std::vector<std::string> saved = records(folder.read(kLastRunFileName));
    ASSERT_EQ(saved.size(), 30u);
    EXPECT_EQ(saved[1], lines[1]);
    EXPECT_EQ(saved[2], lines[2]);
    EXPECT_EQ(saved[23], lines[23]);
}

TEST(WindowFaults, DamagedConstantsFileKeepsWhatItHeldAndLeavesTheRest)
{
    // Limits a previous load left behind, to tell "kept" from "read as 0".
    const std::array<double, 4> previous = {9, 9, 9, 9};
    const struct
    {
        const char *what;
        std::function<void(const std::string &path)> make;
        std::array<double, 4> limits;
    } cases[] = {
        {"missing", [](const std::string &) {}, previous},
        {"a folder", [](const std::string &path) { fs::create_directory(path); }, previous},
        {"empty", [](const std::string &path) { std::ofstream(path, std::ios::binary); }, previous},
        {"three records",
         [](const std::string &path) {
             std::ofstream(path, std::ios::binary) << "a\r\n2.5\r\nb\r\n";
         },
         {2.5, 9, 9, 9}},
        {"words for numbers",
         [](const std::string &path) {
             std::ofstream(path, std::ios::binary)
                 << "a\r\nlots\r\nb\r\n4.5\r\nc\r\n\r\nd\r\n%\r\n";
         },
         {0, 4.5, 0, 0}},
        {"a number too large",
         [](const std::string &path) {
             std::ofstream(path, std::ios::binary) << "a\r\n1.5\r\nb\r\n1e999\r\n";
         },
         {1.5, 9, 9, 9}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder;
        folder.write(kLastRunFileName, exampleLastRunFileBytes());
        c.make(folder.file(kConstantsFileName));
        WindowUnderTest window(folder);
        window->OCPPDis = window->OCFPDis = window->POTPPDis = window->POTFPDis = previous[0];
        window->Form_Load();
        EXPECT_EQ((std::array<double, 4>{window->OCPPDis, window->OCFPDis, window->POTPPDis,
                                         window->POTFPDis}),
                  c.limits);
        // The last-run file was read whole all the same.
        EXPECT_EQ(window.text("TxtC"), "6.4");
        EXPECT_EQ(window.checkedTypes(), QStringList{"OpType3"});
    }
}

// Ends the test process with a message when a step blocks for longer than `seconds`, so that
// a hang fails the test instead of stalling the whole run.
class Watchdog
{
public:
    explicit Watchdog(unsigned seconds)
    {
        std::signal(SIGALRM, [](int) {
            const char message[] = "window_faults_test: a file operation blocked; giving up\n";
            [[maybe_unused]] const auto written = write(2, message, sizeof message - 1);
            _exit(1);
        });
        alarm(seconds);
    }
    ~Watchdog()
    {
        alarm(0);
        std::signal(SIGALRM, SIG_DFL);
    }
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;
};

TEST(WindowFaults, NamedPipesInPlaceOfTheDataFilesDoNotBlock)
{
    // Opening a named pipe for reading waits until some program opens it for writing: the
    // window must not wait for that at load or on the Load button.
    for (const char *pipeName : {kLastRunFileName, kConstantsFileName}) {
        SCOPED_TRACE(pipeName);
        ProgramFolder folder;
        folder.writeExample();
        fs::remove(folder.file(pipeName));
        ASSERT_EQ(mkfifo(folder.file(pipeName).c_str(), 0600), 0);
        WindowUnderTest window(folder);
        const Watchdog watchdog(20);
        window->Form_Load();
        window.click("CmdLoadData");
        const bool lastRunPipe = std::string(pipeName) == kLastRunFileName;
        // A pipe counts as a missing file: the other file is still read where it would be.
        EXPECT_EQ(window.text("TxtPriV"), lastRunPipe ? "" : "117");
        EXPECT_EQ(window->OCPPDis, 0);
    }
}

// A window on a program folder of its own (a subfolder, so that a tmpfs can cover it).
struct WindowOnFolder
{
    explicit WindowOnFolder(const std::string &folder)
        : form(std::make_unique<Form16>(QString::fromStdString(folder)))
    {
        form->setQuitFunction([this](int code) { quitCodes.push_back(code); });
        form->setMessageFunction(
            [this](const QString &, const QString &text) { messages.push_back(text); });
    }
    std::unique_ptr<Form16> form;
    std::vector<int> quitCodes;
    QStringList messages;
};

TEST(WindowFaults, CloseOnARefusingDiskKeepsThePreviousFileAndSaysWhy)
{
    const struct
    {
        const char *what;
        bool needsMount;
        std::function<std::shared_ptr<void>(const std::string &folder, const TmpfsMount *)> arm;
        const char *cause;
    } faults[] = {
        {"disk full", false,
         [](const std::string &folder, const TmpfsMount *) -> std::shared_ptr<void> {
             testing_support::pointAtFullDevice(folder + "Ferrolux.DAT.new");
             return nullptr;
         },
         "No space left on device"},
        {"file size limit", false,
         [](const std::string &, const TmpfsMount *) {
             return std::make_shared<FileSizeLimit>(100);
         },
         "File too large"},
        {"read-only file system", true,
         [](const std::string &, const TmpfsMount *mount) -> std::shared_ptr<void> {
             EXPECT_TRUE(mount->makeReadOnly());
             return nullptr;
         },
         "Read-only file system"},
        {"full file system", true,
         [](const std::string &, const TmpfsMount *mount) -> std::shared_ptr<void> {
             mount->fillUp();
             return nullptr;
         },
         "No space left on device"},
    };
    for (const auto &fault : faults) {
        SCOPED_TRACE(fault.what);
        ProgramFolder scratch;
        const std::string folder = scratch.file("program") + "/";
        fs::create_directory(folder);
        std::unique_ptr<TmpfsMount> mount;
        if (fault.needsMount) {
            mount = std::make_unique<TmpfsMount>(folder, "size=64k,mode=0755");
            if (!mount->mounted()) {
                std::cout << "[ SKIPPED  ] " << fault.what << ": mounting is not permitted\n";
                continue;
            }
        }
        const std::string previous = exampleLastRunFileBytes();
        std::ofstream(folder + kLastRunFileName, std::ios::binary) << previous;
        std::ofstream(folder + kConstantsFileName, std::ios::binary) << defaultConstantsFileBytes();

        WindowOnFolder window(folder);
        window.form->Form_Load();
        window.form->findChild<QLineEdit *>("TxtPriV")->setText(QString(300, '2'));
        {
            const std::shared_ptr<void> armed = fault.arm(folder, mount.get());
            window.form->CmdClose_Click();
        }

        std::ifstream in(folder + kLastRunFileName, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), previous);
        EXPECT_EQ(window.quitCodes, std::vector<int>{0});
        ASSERT_EQ(window.messages.size(), 1);
        EXPECT_TRUE(window.messages[0].contains(QString::fromStdString(folder + kLastRunFileName)))
            << window.messages[0].toStdString();
        EXPECT_TRUE(window.messages[0].contains(QString::fromLatin1(fault.cause)))
            << window.messages[0].toStdString();
    }
}

} // namespace
} // namespace ferrolux::testing
