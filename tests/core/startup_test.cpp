// What a start settles before the window shows: the program folder from the executable's link,
// the choice between a build folder and an installed layout, the data folder made for an
// installed one, and where the window is placed on the screen.

#include "app_folder.h"
#include "data_folder.h"
#include "scratch_folder.h"
#include "window_placement.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <set>
#include <tuple>

namespace ferrolux {

// Lets a failing comparison show the placement readably (found by argument lookup).
static void PrintTo(const WindowPlacement &p, std::ostream *os)
{
    *os << "{left " << p.left << ", top " << p.top << ", " << p.width << " x " << p.height << "}";
}

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

TEST(PlaceWindow, CentresTheDesignSizeInTheMaximisedClientArea)
{
    // Maximised client width and height, then left, top, width and height of the window: a
    // large screen, a small one, one twip wider and one twip too low; measurements rounded
    // half to even; measurements beyond 16 bits clamped before the rule applies.
    const std::tuple<double, double, double, double, int, int> cases[] = {
        {15360, 10800, 1770, 1162.5, 11820, 8325},  {9000, 6000, 0, 0, 9000, 5850},
        {11821, 10800, 0.5, 1162.5, 11820, 8325},   {11820, 8474, 0, 0, 11820, 8324},
        {11824.5, 8475, 2, 0, 11820, 8325},         {11823.5, 8475, 2, 0, 11820, 8325},
        {11820, 8476.5, 0, 0.5, 11820, 8325},       {11820, 8477.5, 0, 1.5, 11820, 8325},
        {9001.5, 6000, 0, 0, 9002, 5850},           {32767.5, 10800, 10473.5, 1162.5, 11820, 8325},
        {15360, 32917.5, 1770, 12221, 11820, 8325}, {1e12, 1e12, 10473.5, 12221, 11820, 8325},
        {-1e9, -1e9, 0, 0, -32768, -32768}};
    for (const auto &[clientWidth, clientHeight, left, top, width, height] : cases) {
        EXPECT_EQ(placeWindow(clientWidth, clientHeight),
                  (WindowPlacement{left, top, width, height}))
            << clientWidth << " x " << clientHeight;
    }
    EXPECT_EQ(placeWindow(INFINITY, INFINITY), (WindowPlacement{10473.5, 12221, 11820, 8325}));
    EXPECT_EQ(placeWindow(NAN, NAN), (WindowPlacement{0, 0, 0, 0})); // no usable screen
    // Client width and height, the window's design outer size, then the placement: the main
    // window (form, menu bar and panel) on a 1280 x 800 screen at 96 dpi, on 640 x 480, and
    // exactly the size of the client area.
    const std::tuple<double, double, int, int, WindowPlacement> ownSize[] = {
        {19050, 11325, 18375, 9120, {337.5, 1027.5, 18375, 9120}},
        {9450, 6525, 18375, 9120, {0, 0, 9450, 6375}},
        {12000, 9000, 12000, 8850, {0, 0, 12000, 8850}},
    };
    for (const auto &[clientWidth, clientHeight, width, height, expected] : ownSize) {
        EXPECT_EQ(placeWindow(clientWidth, clientHeight, width, height), expected)
            << clientWidth << " x " << clientHeight;
    }
    // The calculator form's own design size is the two-argument rule.
    EXPECT_EQ(placeWindow(15360, 10800, kDesignOuterWidth, kDesignOuterHeight),
              placeWindow(15360, 10800));
}

} // namespace
} // namespace ferrolux
