#include "app_folder.h"
#include "scratch_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

namespace ferrolux {
namespace {

TEST(AppFolderFor, JoinsExactlyOneSeparator)
{
    // A root folder already ends in a separator and gets a second one: no check is made.
    const std::tuple<const char *, char, const char *> cases[] = {
        {"/opt/ferrolux", '/', "/opt/ferrolux/"},
        {"/", '/', "//"},
        {"C:\\Tools\\Ferrolux", '\\', "C:\\Tools\\Ferrolux\\"}};
    for (const auto &[executableFolder, separator, expected] : cases) {
        EXPECT_EQ(appFolderFor(executableFolder, separator), expected);
    }
}

TEST(PrepareAppFolder, FailureTextNamesTheFolderAndTheReason)
{
    testing_support::ScratchFolder s;
    // A folder that does not exist cannot be written, even by a privileged user.
    const std::string missing = s.path("no-such-folder/");
    const std::string failure = prepareAppFolder(missing);
    EXPECT_NE(failure.find(missing), std::string::npos) << failure;
    EXPECT_NE(failure.find("No such file or directory"), std::string::npos) << failure;
    EXPECT_NE(seedingFailureText(missing, "").find("Unknown error."), std::string::npos);
}

TEST(ExecutableFolder, KeepsTheFolderBytesWhateverTheirEncodingAndNeverFallsBack)
{
    testing_support::ScratchFolder s;
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

} // namespace
} // namespace ferrolux
