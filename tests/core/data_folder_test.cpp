#include "data_folder.h"
#include "scratch_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace ferrolux {
namespace {

TEST(ChooseProgramFolders, PicturesBesideTheProgramWinOverAnInstalledLayout)
{
    struct Case
    {
        const char *name;
        std::set<std::string> files;
        const char *userData;
        ProgramFolders expected;
    };
    const Case cases[] = {
        {"build folder",
         {"/b/bin/Transformer-1.jpg"},
         "/h/.local/share/Ferrolux",
         {"/b/bin/", "/b/bin/", false}},
        {"installed",
         {"/usr/share/ferrolux/Transformer-1.jpg"},
         "/h/.local/share/Ferrolux",
         {"/usr/bin/../share/ferrolux/", "/h/.local/share/Ferrolux/", true}},
        {"installed, data folder already ends in a separator",
         {"/usr/share/ferrolux/Transformer-1.jpg"},
         "/root/.local/share/Ferrolux/",
         {"/usr/bin/../share/ferrolux/", "/root/.local/share/Ferrolux/", true}},
        {"portable copy beside an installed one",
         {"/usr/bin/Transformer-1.jpg", "/usr/share/ferrolux/Transformer-1.jpg"},
         "/h/d",
         {"/usr/bin/", "/usr/bin/", false}},
        {"no pictures anywhere: as a build folder", {}, "/h/d", {"/usr/bin/", "/usr/bin/", false}},
        {"another picture beside the program does not count",
         {"/usr/bin/Transformer-2.jpg", "/usr/share/ferrolux/Transformer-1.jpg"},
         "/h/d",
         {"/usr/bin/../share/ferrolux/", "/h/d/", true}},
        {"installed but no user data folder known",
         {"/usr/share/ferrolux/Transformer-1.jpg"},
         "",
         {"/usr/bin/", "/usr/bin/", false}},
    };
    for (const Case &c : cases) {
        // Paths are compared after resolving "..", as the file system would.
        const PathExists exists = [&c](const std::string &path) {
            return c.files.count(std::filesystem::path(path).lexically_normal().string()) > 0;
        };
        const std::string appFolder =
            std::string(c.name).rfind("build", 0) == 0 ? "/b/bin/" : "/usr/bin/";
        EXPECT_EQ(chooseProgramFolders(appFolder, '/', c.userData, exists), c.expected) << c.name;
    }
}

TEST(MakeDataFolder, CreatesMissingParentsAndRefusesWhatCannotBeAFolder)
{
    testing_support::ScratchFolder s;
    testing_support::writeBytes(s.path("a-file"), "x");
    struct Case
    {
        std::string folder;
        bool made;
    };
    const Case cases[] = {
        {s.path(".local/share/Ferrolux/"), true},
        {s.path(".local/share/Ferrolux/"), true}, // already there
        {s.path("a-file/"), false},
        {s.path("a-file/below/"), false},
    };
    for (const Case &c : cases) {
        const std::string reason = makeDataFolder(c.folder);
        EXPECT_EQ(reason.empty(), c.made) << c.folder << ": " << reason;
        EXPECT_EQ(std::filesystem::is_directory(c.folder), c.made) << c.folder;
    }
}

} // namespace
} // namespace ferrolux
