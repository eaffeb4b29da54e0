// The folders a start uses: the program folder from the executable's link, the choice between
// a build folder and an installed layout, and the data folder made for an installed one.

#include "app_folder.h"
#include "data_folder.h"
#include "scratch_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

namespace ferrolux {
namespace {

using testing_support::ScratchFolder;

TEST(AppFolder, JoinsOneSeparatorAndPrepareFailureNamesFolderAndReason)
{
    // A root folder already ends in a separator and gets a second one: no check is made.
    EXPECT_EQ(appFolderFor("/opt/ferrolux", '/'), "/opt/ferrolux/");
    EXPECT_EQ(appFolderFor("/", '/'), "//");
    EXPECT_EQ(appFolderFor("C:\\Tools\\Ferrolux", '\\'), "C:\\Tools\\Ferrolux\\");
    ScratchFolder s;
    // A folder that does not exist cannot be written, even by a privileged user.
    const std::string missing = s.path("no-such-folder/");
    const std::string failure = prepareAppFolder(missing);
    EXPECT_NE(failure.find(missing), std::string::npos) << failure;
    EXPECT_NE(failure.find("No such file or directory"), std::string::npos) << failure;
    EXPECT_NE(seedingFailureText(missing, "").find("Unknown error."), std::string::npos);
}

TEST(ExecutableFolder, KeepsTheFolderBytesWhateverTheirEncodingAndNeverFallsBack)
{
    ScratchFolder s;
    // Where the link to the executable leads, and the folder expected ("" for a refusal).
    const std::pair<std::string, std::string> cases[] = {
        {"/opt/caf\xE9/ferrolux", "/opt/caf\xE9"}, // Latin-1, not UTF-8
        {"/opt/\xFF\xFE/bin/ferrolux", "/opt/\xFF\xFE/bin"},
        {"/ferrolux", "/"},
        {"ferrolux", ""}, // no folder at all: refused, not taken as "/" or "."
    };
    for (const auto &[target, expected] : cases) {
        const std::string link = s.path("self");
        std::filesystem::remove(link);
        std::filesystem::create_symlink(target, link);
        std::string reason;
        const std::optional<std::string> folder = executableFolder(reason, link.c_str());
        EXPECT_EQ(folder.value_or(""), expected) << target;
        EXPECT_EQ(reason.empty(), !expected.empty()) << reason;
    }
    std::string reason;
    EXPECT_FALSE(executableFolder(reason, s.path("missing").c_str()).has_value());
    EXPECT_NE(reason.find("No such file or directory"), std::string::npos) << reason;
    const std::string text = unusableFolderText("/opt/caf\xE9", "not UTF-8");
    for (const char *part : {"/opt/caf\xE9", "not UTF-8", "cannot start"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
}

TEST(ChooseProgramFolders, PicturesBesideTheProgramWinOverAnInstalledLayout)
{
    const std::string bin = "/usr/bin/", up = "/usr/bin/../share/ferrolux/",
                      shared = "/usr/share/ferrolux/Transformer-1.jpg";
    // Program folder, the files there are, the user data folder, the folders chosen.
    const std::tuple<std::string, std::set<std::string>, const char *, ProgramFolders> cases[] = {
        {"/b/bin/", {"/b/bin/Transformer-1.jpg"}, "/h/d", {"/b/bin/", "/b/bin/", false}},
        {bin, {shared}, "/h/d", {up, "/h/d/", true}},
        {bin, {shared}, "/h/d/", {up, "/h/d/", true}}, // already ends in a separator
        {bin, {"/usr/bin/Transformer-1.jpg", shared}, "/h/d", {bin, bin, false}}, // portable copy
        {bin, {}, "/h/d", {bin, bin, false}}, // no pictures anywhere: as a build folder
        {bin, {"/usr/bin/Transformer-2.jpg", shared}, "/h/d", {up, "/h/d/", true}},
        {bin, {shared}, "", {bin, bin, false}}}; // no user data folder known
    for (const auto &[appFolder, files, userData, expected] : cases) {
        // Paths are compared after resolving "..", as the file system would.
        const PathExists exists = [&files](const std::string &path) {
            return files.count(std::filesystem::path(path).lexically_normal().string()) > 0;
        };
        EXPECT_EQ(chooseProgramFolders(appFolder, '/', userData, exists), expected) << userData;
    }
}

TEST(MakeDataFolder, CreatesMissingParentsAndRefusesWhatCannotBeAFolder)
{
    ScratchFolder s;
    testing_support::writeBytes(s.path("a-file"), "x");
    // The second time the folder is already there.
    const std::pair<std::string, bool> cases[] = {{s.path(".local/share/Ferrolux/"), true},
                                                  {s.path(".local/share/Ferrolux/"), true},
                                                  {s.path("a-file/"), false},
                                                  {s.path("a-file/below/"), false}};
    for (const auto &[folder, made] : cases) {
        const std::string reason = makeDataFolder(folder);
        EXPECT_EQ(reason.empty(), made) << folder << ": " << reason;
        EXPECT_EQ(std::filesystem::is_directory(folder), made) << folder;
    }
}

} // namespace
} // namespace ferrolux
