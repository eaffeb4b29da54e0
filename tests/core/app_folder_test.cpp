#include "app_folder.h"
#include "scratch_folder.h"

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

} // namespace
} // namespace ferrolux
