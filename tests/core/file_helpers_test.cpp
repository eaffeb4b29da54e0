#include "file_helpers.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

namespace ferrolux {
namespace {

namespace fs = std::filesystem;
using testing_support::readBytes;
using testing_support::ScratchFolder;
using testing_support::writeBytes;

TEST(FileExists, TrueOnlyForSomethingThatOpensAsAFile)
{
    ScratchFolder s;
    writeBytes(s.path("file"), "True\r\n");
    writeBytes(s.path("empty"), "");
    fs::create_directory(s.path("folder"));
    fs::create_symlink(s.path("file"), s.path("link"));
    fs::create_symlink(s.path("gone"), s.path("dangling"));
    const std::tuple<std::string, std::string, bool> cases[] = {
        {s.folder(), "file", true},         {s.folder(), "empty", true},
        {s.folder(), "link", true},         {s.folder(), "missing", false},
        {s.folder(), "folder", false},      {s.folder(), "dangling", false},
        {s.folder() + "fi", "le", true}, // no separator is inserted
        {s.path("file") + "/", "x", false}, {"", "", false},
    };
    for (const auto &[folder, name, exists] : cases) {
        EXPECT_EQ(FileExists(folder, name), exists) << folder << name;
    }
}

TEST(WriteFileAtomically, ReplacesTheWholeFile)
{
    ScratchFolder s;
    const std::string path = s.path("CONSTANT.DAT");
    writeBytes(path + ".new", "left over from a crash, longer than the new bytes");
    for (const std::string &bytes :
         {std::string("first\r\n"), std::string("se\0c\r\n", 6), std::string()}) {
        EXPECT_EQ(writeFileAtomically(path, bytes), "");
        EXPECT_EQ(readBytes(path), bytes);
        EXPECT_FALSE(fs::exists(path + ".new"));
    }
}

TEST(WriteFileAtomically, FailureNamesTheFileAndKeepsTheOldOne)
{
    struct Case
    {
        std::string folder, target, reason; // reason with "@" for the scratch folder
        bool temporaryStays;                // a folder at the temporary name is not ours
    };
    const Case cases[] = {
        {"Ferrolux.DAT.new", "Ferrolux.DAT", "Cannot write @Ferrolux.DAT.new: Is a directory",
         true},
        {"Ferrolux.DAT", "Ferrolux.DAT", "Cannot replace @Ferrolux.DAT: Is a directory", false},
        {"", "old/x", "Cannot write @old/x.new: Not a directory", false},
        {"", "absent/x", "Cannot write @absent/x.new: No such file or directory", false},
    };
    for (const Case &c : cases) {
        ScratchFolder s;
        writeBytes(s.path("old"), "old\r\n");
        if (!c.folder.empty()) {
            fs::create_directory(s.path(c.folder));
        }
        std::string expected = c.reason;
        expected.replace(expected.find('@'), 1, s.folder());
        EXPECT_EQ(writeFileAtomically(s.path(c.target), "new\r\n"), expected);
        EXPECT_EQ(readBytes(s.path("old")), "old\r\n");
        EXPECT_EQ(fs::exists(s.path(c.target) + ".new"), c.temporaryStays) << c.target;
    }
}

TEST(WriteFileAtomically, OldFileSurvivesAFailedReplace)
{
    ScratchFolder s;
    writeBytes(s.path("Ferrolux.DAT"), "False\r\n");
    fs::create_directory(s.path("Ferrolux.DAT.new"));
    EXPECT_NE(writeFileAtomically(s.path("Ferrolux.DAT"), "True\r\n"), "");
    EXPECT_EQ(readBytes(s.path("Ferrolux.DAT")), "False\r\n");
}

} // namespace
} // namespace ferrolux
