// Saving and reading data files where the file system works against it: links, planted
// temporary names, named pipes, folders, files of other users, read-only folders, bind mounts,
// two savers at once, a disk that refuses writes. After every case the file's bytes, mode and
// link are checked. And the files a first start writes, and only where nothing stands.

#include "default_files.h"
#include "file_helpers.h"
#include "injected_faults.h"
#include "last_run_file.h"
#include "other_user.h"
#include "scratch_folder.h"
#include "worked_example_input.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <vector>

namespace ferrolux {
namespace {

namespace fs = std::filesystem;
using testing_support::AsOtherUser;
using testing_support::joinRecords;
using testing_support::readBytes;
using testing_support::ScratchFolder;
using testing_support::temporaryFilesIn;
using testing_support::writeBytes;

unsigned modeOf(const std::string &path)
{
    return static_cast<unsigned>(fs::symlink_status(path).permissions());
}

long entriesIn(const std::string &folder)
{
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

constexpr unsigned kAnyMode = 010000;

struct SaveCase
{
    const char *what;
    std::function<void(const ScratchFolder &)> arrange;
    SaveResult::Outcome outcome;
    const char *writtenAt = "";    // the file that must now hold the new bytes
    const char *reasonPart = "";   // in the reason
    const char *linkStays = "";    // a link that must still be a link
    unsigned modeAfter = kAnyMode; // the mode of writtenAt afterwards
    const char *untouched = "";    // a file that must still hold its own name as its bytes
};

TEST(SaveFile, ReplacesTheFinalTargetAndNeverWritesThroughPlantedNames)
{
    const auto file = [](const char *name, const char *bytes, unsigned mode) {
        return [=](const ScratchFolder &s) {
            writeBytes(s.path(name), bytes);
            fs::permissions(s.path(name), static_cast<fs::perms>(mode));
        };
    };
    const auto both = [](auto first, auto second) {
        return [=](const ScratchFolder &s) { first(s), second(s); };
    };
    const auto link = [](const char *name, const char *to) {
        return [=](const ScratchFolder &s) { fs::create_symlink(to, s.path(name)); };
    };
    const auto fifo = [](const char *name) {
        return [=](const ScratchFolder &s) { ASSERT_EQ(mkfifo(s.path(name).c_str(), 0600), 0); };
    };
    const auto folder = [](const char *name) {
        return [=](const ScratchFolder &s) { fs::create_directories(s.path(name)); };
    };
    using O = SaveResult::Outcome;
    const SaveCase cases[] = {
        {"a missing file", [](const ScratchFolder &) {}, O::Replaced, "T"},
        {"mode 0640 is kept", file("T", "old", 0640), O::Replaced, "T", "", "", 0640},
        {"mode 0000 is kept", file("T", "old", 0), O::Replaced, "T", "", "", 0},
        {"a relative link",
         both(both(folder("d"), file("d/real", "old", 0604)), link("T", "d/real")), O::Replaced,
         "d/real", "", "T", 0604},
        {"a chain of links",
         both(both(file("real", "old", 0644), link("mid", "real")), link("T", "mid")), O::Replaced,
         "real", "", "T", 0644},
        {"a link to nothing yet", link("T", "later"), O::Replaced, "later", "", "T"},
        {"a planted link on the old temporary name",
         both(file("victim", "victim", 0644), link("T.new", "victim")), O::Replaced, "T", "", "",
         kAnyMode, "victim"},
        {"a planted pipe on the old temporary name", fifo("T.new"), O::Replaced, "T"},
        {"a pipe in its place", fifo("T"), O::Failed, "", "Not a regular file"},
        {"a folder in its place", folder("T"), O::Failed, "", "Not a regular file"},
        {"a link loop", both(link("T", "U"), link("U", "T")), O::Failed, "",
         "Too many levels of symbolic links", "T"},
        {"a link to a pipe", both(fifo("pipe"), link("T", "pipe")), O::Failed, "",
         "Not a regular file", "T"},
        {"a missing folder", link("T", "none/T"), O::Failed, "", "No such file or directory", "T"},
    };
    for (const SaveCase &c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder s;
        c.arrange(s);
        const SaveResult result = saveFile(s.path("T"), "new\r\n");
        EXPECT_EQ(result.outcome, c.outcome) << result.reason;
        EXPECT_NE(result.reason.find(c.reasonPart), std::string::npos) << result.reason;
        if (*c.writtenAt != '\0') {
            EXPECT_EQ(readBytes(s.path(c.writtenAt)), "new\r\n");
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(s.path(c.writtenAt))));
            if (c.modeAfter != kAnyMode) {
                EXPECT_EQ(modeOf(s.path(c.writtenAt)), c.modeAfter);
            }
        }
        if (*c.linkStays != '\0') {
            EXPECT_TRUE(fs::is_symlink(s.path(c.linkStays)));
        }
        if (*c.untouched != '\0') {
            EXPECT_EQ(readBytes(s.path(c.untouched)), c.untouched);
        }
        EXPECT_EQ(temporaryFilesIn(s.folder()), 0);
    }
}

// A file of another user in a folder that user may not add to: a save by root replaces it and
// keeps the owner; a save by that user can only write the file in place.
TEST(SaveFile, KeepsTheOwnerAndWritesInPlaceOnlyWhereAReplaceIsImpossible)
{
    ScratchFolder s;
    fs::permissions(s.folder(), fs::perms(0755));
    const std::string path = s.path("Ferrolux.DAT");
    writeBytes(path, "old");
    if (::chown(path.c_str(), testing_support::kNobody, testing_support::kNobody) != 0) {
        GTEST_SKIP() << "giving a file to another user needs root";
    }
    ASSERT_EQ(saveFile(path, "old bytes, longer than the new ones").outcome,
              SaveResult::Outcome::Replaced);
    struct stat info
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_TRUE(info.st_uid == testing_support::kNobody && info.st_gid == testing_support::kNobody);
    const AsOtherUser other;
    if (!other.active()) {
        GTEST_SKIP() << "acting as another user needs root";
    }
    const SaveResult result = saveFile(path, "new");
    EXPECT_EQ(result.outcome, SaveResult::Outcome::WrittenInPlace);
    EXPECT_NE(result.reason.find("Permission denied"), std::string::npos) << result.reason;
    EXPECT_EQ(readBytes(path), "new");
    // Where there is no file to write in place, nothing is created.
    EXPECT_FALSE(saveFile(s.path("missing"), "new").ok());
    EXPECT_FALSE(fs::exists(s.path("missing")));
}

TEST(SaveFile, WritesABindMountedFileInPlace)
{
    ScratchFolder s;
    const std::string path = s.path("Ferrolux.DAT");
    const std::string source = s.path("elsewhere");
    writeBytes(path, "old");
    writeBytes(source, "mounted");
    if (::mount(source.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) != 0) {
        GTEST_SKIP() << "bind mounts are not permitted here";
    }
    const SaveResult result = saveFile(path, "new");
    EXPECT_EQ(result.outcome, SaveResult::Outcome::WrittenInPlace) << result.reason;
    EXPECT_NE(result.reason.find("busy"), std::string::npos) << result.reason;
    EXPECT_EQ(readBytes(path), "new");
    ::umount2(path.c_str(), MNT_DETACH);
    EXPECT_EQ(readBytes(source), "new"); // the mounted file itself got the bytes
    EXPECT_EQ(readBytes(path), "old");   // the file under the mount was never touched
    EXPECT_EQ(temporaryFilesIn(s.folder()), 0);
}

TEST(SaveFile, TwoSlowedSaversLeaveOneWholeFileAndBothSucceed)
{
    ScratchFolder s;
    const std::string path = s.path("Ferrolux.DAT");
    const std::string first(5000, 'a'), second(3000, 'b');
    for (int round = 0; round < 5; ++round) {
        SaveOptions slow;
        slow.beforeReplace = [] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); };
        SaveResult a, b;
        std::thread one([&] { a = saveFile(path, first, slow); });
        std::thread two([&] { b = saveFile(path, second, slow); });
        one.join(), two.join();
        EXPECT_EQ(a.outcome, SaveResult::Outcome::Replaced) << a.reason;
        EXPECT_EQ(b.outcome, SaveResult::Outcome::Replaced) << b.reason;
        const std::string now = readBytes(path);
        EXPECT_TRUE(now == first || now == second) << now.size() << " bytes";
    }
    EXPECT_EQ(temporaryFilesIn(s.folder()), 0);
}

TEST(FileHelpers, WriteFileAtomicallyGivesTheReasonAndFileExistsOnlyForFiles)
{
    ScratchFolder s;
    const std::string path = s.path("Ferrolux.DAT");
    EXPECT_EQ(writeFileAtomically(path, ""), "");
    EXPECT_TRUE(FileExists(s.folder() + "Ferrolux", ".DAT")); // no separator is inserted
    fs::remove(path);
    fs::create_directory(path);
    EXPECT_FALSE(FileExists(s.folder(), "Ferrolux.DAT"));
    ASSERT_EQ(mkfifo(s.path("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(FileExists(s.folder(), "pipe")); // and never waits for a writer
    EXPECT_EQ(writeFileAtomically(path, "new\r\n"),
              "Cannot write " + path + ": Not a regular file");
}

TEST(SeedFirstStart, WritesOnlyWhatIsMissingAndKeepsAnythingInTheWay)
{
    const std::string example = joinRecords(testing_support::workedExampleRecords());
    const std::string constants = joinRecords(testing_support::defaultConstantsRecords());
    // Last-run file and CONSTANT.DAT before and after ("-": nothing, "/": a folder holding a
    // file; whatever exists counts as there).
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        {"-", "-", example, constants},
        {"-", "mine\r\n9\r\n", example, "mine\r\n9\r\n"}, // a tuned file is kept
        {"False\r\n1", "-", "False\r\n1", "-"},           // already set up
        {"", "-", "", "-"},                               // an empty file counts
        {"-", "/", example, "/"},
        {"/", "-", "/", "-"}};
    for (const auto &[lastRunBefore, constantsBefore, lastRunAfter, constantsAfter] : cases) {
        ScratchFolder s;
        const auto contents = [&](const char *name) {
            return fs::is_directory(s.path(name)) ? "/"
                   : fs::exists(s.path(name))     ? readBytes(s.path(name))
                                                  : "-";
        };
        for (const auto &[name, bytes] : {std::pair{"Ferrolux.DAT", lastRunBefore},
                                          std::pair{"CONSTANT.DAT", constantsBefore}}) {
            if (bytes == "/") {
                fs::create_directories(s.path(name) + "/x");
            } else if (bytes != "-") {
                writeBytes(s.path(name), bytes);
            }
        }
        EXPECT_EQ(seedFirstStart(s.folder()), "");
        EXPECT_EQ(contents("Ferrolux.DAT"), lastRunAfter);
        EXPECT_EQ(contents("CONSTANT.DAT"), constantsAfter);
        // Nothing else, no temporary file either.
        EXPECT_EQ(entriesIn(s.folder()), (lastRunAfter != "-") + (constantsAfter != "-"));
    }
    // A folder on the temporary name older versions used is no obstacle.
    ScratchFolder s;
    fs::create_directory(s.path("Ferrolux.DAT.new"));
    EXPECT_EQ(seedFirstStart(s.folder()), "");
    EXPECT_TRUE(fs::is_regular_file(s.path("Ferrolux.DAT")));
    EXPECT_TRUE(fs::is_directory(s.path("Ferrolux.DAT.new")));
}

// A file of mode 0000: root reads it, so root acts as another user; anyone else cannot read it.
TEST(SeedFirstStart, NeverWritesOverAFileThatExistsButCannotBeRead)
{
    for (const char *name : {kLastRunFileName, "CONSTANT.DAT"}) {
        ScratchFolder s;
        fs::permissions(s.folder(), fs::perms(0777));
        writeBytes(s.path(name), "theirs");
        fs::permissions(s.path(name), fs::perms::none);
        std::string failure = "unset";
        {
            const AsOtherUser other;
            failure = seedFirstStart(s.folder());
        }
        EXPECT_EQ(failure, "") << name;
        EXPECT_EQ(modeOf(s.path(name)), 0u) << name;
        EXPECT_EQ(readBytes(s.path(name)), "theirs") << name;
        // An unreadable last-run file still marks the folder as set up: nothing is seeded.
        EXPECT_EQ(entriesIn(s.folder()), name == std::string(kLastRunFileName) ? 1 : 2) << name;
    }
}

// Another start may seed the folder between the check and the write: a file that appeared
// meanwhile is kept, and that is no failure.
TEST(SeedFirstStart, AFileThatAppearedMeanwhileIsKept)
{
    ScratchFolder s;
    writeBytes(s.path(kLastRunFileName), "theirs");
    EXPECT_EQ(WriteDefaultFiles(s.folder()), "");
    EXPECT_EQ(readBytes(s.path(kLastRunFileName)), "theirs");
    EXPECT_EQ(readBytes(s.path("CONSTANT.DAT")), defaultConstantsFileBytes());
    // The same race inside a create-only save: the file appears after the check.
    SaveOptions late;
    late.createOnly = true;
    late.beforeReplace = [&] { writeBytes(s.path("late"), "theirs"); };
    EXPECT_EQ(saveFile(s.path("late"), "new", late).outcome, SaveResult::Outcome::AlreadyThere);
    EXPECT_EQ(readBytes(s.path("late")), "theirs");
    EXPECT_EQ(temporaryFilesIn(s.folder()), 0);
}

TEST(ReadRegularFile, ReadsOnlyRegularFilesAndNeverWaits)
{
    using S = FileRead::Status;
    const std::tuple<const char *, std::function<void(const std::string &)>, S, const char *>
        cases[] = {
            {"missing", [](const std::string &) {}, S::Missing, "No such file"},
            {"a pipe", [](const std::string &p) { mkfifo(p.c_str(), 0600); }, S::Unreadable,
             "Not a regular file"},
            {"a folder", [](const std::string &p) { fs::create_directory(p); }, S::Unreadable,
             "Not a regular file"},
            {"too large", [](const std::string &p) { writeBytes(p, std::string(101, 'x')); },
             S::TooLarge, "larger than 100 bytes"},
            {"at the limit", [](const std::string &p) { writeBytes(p, std::string(100, 'x')); },
             S::Read, ""},
        };
    for (const auto &[what, make, status, reasonPart] : cases) {
        SCOPED_TRACE(what);
        ScratchFolder s;
        make(s.path("f"));
        const FileRead read = readRegularFile(s.path("f"), 100);
        EXPECT_EQ(read.status, status);
        EXPECT_NE(read.reason.find(reasonPart), std::string::npos) << read.reason;
        EXPECT_EQ(read.bytes.size(), status == S::Read ? 100u : 0u);
    }
}

TEST(KeepCopyBeside, TakesTheFirstFreeNumberedName)
{
    ScratchFolder s;
    const std::string path = s.path("Ferrolux.DAT");
    for (const std::string suffix : {".damaged", ".damaged.1", ".damaged.2"}) {
        std::string why;
        EXPECT_EQ(keepCopyBeside(path, "copy" + suffix, why), path + suffix) << why;
        EXPECT_EQ(readBytes(path + suffix), "copy" + suffix);
        EXPECT_EQ(readBytes(path + ".damaged"), "copy.damaged"); // never written over
    }
}

using FirstStartFaults = ::testing::TestWithParam<testing_support::WriteFault>;

// A folder that is gone, or a disk that refuses: the failure names the file and the reason, and
// no last-run file, whole or in part, is left, so the next start is a first start again.
TEST_P(FirstStartFaults, SayWhyAndLeaveTheFolderToBeSeededAgain)
{
    testing_support::FaultyFolder program(GetParam());
    if (!program.usable()) {
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    }
    ASSERT_TRUE(program.arm());
    const std::string failure = seedFirstStart(program.folder());
    EXPECT_NE(failure.find(program.folder()), std::string::npos) << failure;
    EXPECT_NE(failure.find(GetParam().cause), std::string::npos) << failure;
    EXPECT_FALSE(fs::exists(program.folder() + kLastRunFileName));
    const std::string gone = program.folder() + "gone/";
    EXPECT_EQ(seedFirstStart(gone),
              "Cannot write " + gone + "CONSTANT.DAT: No such file or directory");
    EXPECT_FALSE(fs::exists(gone));
}

INSTANTIATE_TEST_SUITE_P(EveryFault, FirstStartFaults,
                         ::testing::ValuesIn(testing_support::kWriteFaults));

} // namespace
} // namespace ferrolux
