// The files a first start writes, and the file helpers it writes them with.

#include "default_files.h"
#include "file_helpers.h"
#include "scratch_folder.h"
#include "worked_example_input.h"

#include <gtest/gtest.h>
#include <tuple>
#include <utility>

namespace ferrolux {
namespace {

namespace fs = std::filesystem;
using testing_support::joinRecords;
using testing_support::readBytes;
using testing_support::ScratchFolder;
using testing_support::writeBytes;

const std::string kExampleFile = joinRecords(testing_support::workedExampleRecords());
const std::string kConstantsFile = joinRecords(testing_support::defaultConstantsRecords());

std::size_t entriesIn(const ScratchFolder &s)
{
    const fs::directory_iterator entries(s.folder());
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

TEST(SeedFirstStart, WritesOnlyWhatIsMissing)
{
    // Last-run file and CONSTANT.DAT before and after ("-": no file).
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        {"-", "-", kExampleFile, kConstantsFile},
        {"-", "mine\r\n9\r\n", kExampleFile, "mine\r\n9\r\n"}, // a tuned file is kept
        {"False\r\n1", "-", "False\r\n1", "-"},                // already set up
        {"", "-", "", "-"}};                                   // an empty file counts
    for (const auto &[lastRunBefore, constantsBefore, lastRunAfter, constantsAfter] : cases) {
        ScratchFolder s;
        const auto contents = [&](const char *name) {
            return fs::exists(s.path(name)) ? readBytes(s.path(name)) : "-";
        };
        for (const auto &[name, bytes] : {std::pair{"Ferrolux.DAT", lastRunBefore},
                                          std::pair{"CONSTANT.DAT", constantsBefore}}) {
            if (bytes != "-") {
                writeBytes(s.path(name), bytes);
            }
        }
        EXPECT_EQ(seedFirstStart(s.folder()), "");
        EXPECT_EQ(contents("Ferrolux.DAT"), lastRunAfter);
        EXPECT_EQ(contents("CONSTANT.DAT"), constantsAfter);
        EXPECT_EQ(entriesIn(s),
                  std::size_t{lastRunAfter != "-"} + std::size_t{constantsAfter != "-"});
    }
}

TEST(SeedFirstStart, FailureNamesTheFileAndAnythingInTheWayIsKept)
{
    // What stands in the way (always kept), and whether the last-run file is seeded.
    const std::pair<const char *, bool> cases[] = {
        {"Ferrolux.DAT.new", true}, // a temporary name of old is no obstacle
        {"CONSTANT.DAT", true},     // exists, so it is kept, folder or not
        {"Ferrolux.DAT", false},    // exists: nothing is seeded
        {"CONSTANT.DAT/x", true}};
    for (const auto &[inTheWay, lastRunWritten] : cases) {
        ScratchFolder s;
        fs::create_directories(s.path(inTheWay));
        EXPECT_EQ(seedFirstStart(s.folder()), "") << inTheWay;
        EXPECT_EQ(fs::is_regular_file(s.path("Ferrolux.DAT")), lastRunWritten) << inTheWay;
        EXPECT_TRUE(fs::is_directory(s.path(inTheWay))) << inTheWay;
    }
    ScratchFolder s;
    const std::string gone = s.folder() + "gone/";
    EXPECT_EQ(seedFirstStart(gone),
              "Cannot write " + gone + "CONSTANT.DAT: No such file or directory");
    EXPECT_EQ(entriesIn(s), 0u); // nothing left behind, no temporary file either
}

TEST(FileExists, TrueOnlyForSomethingThatOpensAsAFile)
{
    ScratchFolder s;
    writeBytes(s.path("empty"), "");
    fs::create_directory(s.path("folder"));
    fs::create_symlink(s.path("gone"), s.path("dangling"));
    EXPECT_TRUE(FileExists(s.folder(), "empty"));
    EXPECT_TRUE(FileExists(s.folder() + "em", "pty")); // no separator is inserted
    for (const std::string name : {"missing", "folder", "dangling"}) {
        EXPECT_FALSE(FileExists(s.folder(), name)) << name;
    }
    EXPECT_FALSE(FileExists("", ""));
}

TEST(WriteFileAtomically, ReplacesTheWholeFileOrKeepsTheOldOne)
{
    ScratchFolder s;
    const std::string path = s.path("Ferrolux.DAT");
    writeBytes(path + ".new", "left over from a crash, longer than the new bytes");
    for (const std::string bytes : {"", "old\r\n"}) {
        EXPECT_EQ(writeFileAtomically(path, bytes), "");
        EXPECT_EQ(readBytes(path), bytes);
    }
    // A leftover temporary file of an earlier crash is neither read nor removed.
    EXPECT_EQ(readBytes(path + ".new"), "left over from a crash, longer than the new bytes");
    fs::remove(path);
    fs::create_directory(path);
    EXPECT_EQ(writeFileAtomically(path, "new\r\n"),
              "Cannot write " + path + ": Not a regular file");
    EXPECT_TRUE(fs::is_directory(path));
}

} // namespace
} // namespace ferrolux
