#include "app_folder.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace ferrolux {
namespace {

namespace fs = std::filesystem;

struct FolderCase
{
    const char *executableFolder;
    char separator;
    const char *appFolder;
};

class AppFolderForTest : public ::testing::TestWithParam<FolderCase>
{
};

TEST_P(AppFolderForTest, AppendsExactlyOneSeparator)
{
    const FolderCase &c = GetParam();
    EXPECT_EQ(appFolderFor(c.executableFolder, c.separator), c.appFolder);
}

// A root folder already ends in a separator and gets a second one: no check is made.
INSTANTIATE_TEST_SUITE_P(Folders, AppFolderForTest,
                         ::testing::Values(FolderCase{"/opt/ferrolux", '/', "/opt/ferrolux/"},
                                           FolderCase{"/", '/', "//"},
                                           FolderCase{"C:\\Tools\\Ferrolux", '\\',
                                                      "C:\\Tools\\Ferrolux\\"},
                                           FolderCase{"C:\\", '\\', "C:\\\\"}));

TEST(SeedingFailureTextTest, NamesFolderAndReason)
{
    const std::string text = seedingFailureText("/opt/ferrolux/", "Cannot write CONSTANT.DAT.");
    EXPECT_NE(text.find("/opt/ferrolux/"), std::string::npos) << text;
    EXPECT_NE(text.find("Cannot write CONSTANT.DAT."), std::string::npos) << text;
}

TEST(SeedingFailureTextTest, EmptyReasonStillExplains)
{
    const std::string text = seedingFailureText("/opt/ferrolux/", "");
    EXPECT_NE(text.find("Unknown error."), std::string::npos) << text;
}

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the start-up preparation in fresh folders on disk.
class PrepareAppFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_root =
            fs::temp_directory_path() / (std::string("ferrolux-startup-") + info->name() + "-" +
                                         std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::remove_all(m_root);
        fs::create_directories(m_root);
    }
    void TearDown() override { fs::remove_all(m_root); }

    std::string appFolder(const fs::path &folder) const
    {
        return appFolderFor(folder.string(), static_cast<char>(fs::path::preferred_separator));
    }

    fs::path m_root;
};

TEST_F(PrepareAppFolderTest, FirstStartSeedsEmptyFolder)
{
    EXPECT_EQ(prepareAppFolder(appFolder(m_root)), "");
    EXPECT_TRUE(fs::is_regular_file(m_root / "Ferrolux.DAT"));
    EXPECT_TRUE(fs::is_regular_file(m_root / "CONSTANT.DAT"));
    EXPECT_EQ(readFile(m_root / "Ferrolux.DAT").rfind("True\r\n", 0), 0U);
}

TEST_F(PrepareAppFolderTest, SavedRunIsLeftAlone)
{
    const std::string saved = "False\r\n\"230\"\r\n";
    std::ofstream(m_root / "Ferrolux.DAT", std::ios::binary) << saved;

    EXPECT_EQ(prepareAppFolder(appFolder(m_root)), "");
    EXPECT_EQ(readFile(m_root / "Ferrolux.DAT"), saved);
    EXPECT_FALSE(fs::exists(m_root / "CONSTANT.DAT"));
}

TEST_F(PrepareAppFolderTest, UnwritableFolderGivesMessageNamingIt)
{
    // A folder that does not exist cannot be written, even by a privileged user.
    const fs::path missing = m_root / "no-such-folder";
    const std::string folder = appFolder(missing);

    const std::string failure = prepareAppFolder(folder);
    EXPECT_NE(failure.find(folder), std::string::npos) << failure;
    EXPECT_FALSE(fs::exists(missing));
}

} // namespace
} // namespace ferrolux
