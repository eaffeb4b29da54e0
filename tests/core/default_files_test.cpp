#include "constants_file.h"
#include "default_files.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>
#include <sstream>

namespace ferrolux {
namespace {

namespace fs = std::filesystem;
using testing_support::readBytes;
using testing_support::ScratchFolder;
using testing_support::writeBytes;

const std::string kExampleFile = "True\r\n117\r\n2.05\r\n4\r\n"
                                 "350\r\n67.4\r\n0\r\n40.0\r\n7.60\r\n0\r\n"
                                 "5.297\r\n99.0e-3\r\n3.0\r\n6.65\r\n122e-3\r\n0\r\n"
                                 "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                                 "3\r\n11.3\r\n9.6\r\n9.7\r\n4.0\r\n8.4\r\n6.4\r\n1\r\n";

const std::string kConstantsFile =
    "Plate winding percent dissipation for an open core transformer.\r\n2.5\r\n"
    "Filament winding percent dissipation for an open core transformer.\r\n4.5\r\n"
    "Plate winding percent dissipation for a potted transformer.\r\n1.5\r\n"
    "Filament winding percent dissipation for a potted transformer.\r\n2.5\r\n";

TEST(DefaultFiles, ByteExactAndReadBackAsTheExample)
{
    EXPECT_EQ(exampleLastRunFileBytes(), kExampleFile);
    EXPECT_EQ(defaultConstantsFileBytes(), kConstantsFile);

    std::istringstream example(kExampleFile);
    const LastRunLoad load = readLastRun(example);
    EXPECT_TRUE(load.complete()) << load.failure;
    EXPECT_EQ(load.values, exampleLastRun());
    EXPECT_EQ(load.values.typeCode, static_cast<int>(TransformerType::ShieldedSubMount));

    std::istringstream constants(kConstantsFile);
    DissipationLimits limits;
    readConstants(constants).applyTo(limits);
    EXPECT_EQ(
        std::vector<double>({limits.OCPPDis, limits.OCFPDis, limits.POTPPDis, limits.POTFPDis}),
        std::vector<double>({2.5, 4.5, 1.5, 2.5}));
}

TEST(SeedFirstStart, WritesOnlyWhatIsMissing)
{
    struct Case
    {
        std::string lastRunBefore, constantsBefore; // "-" for no file
        std::string lastRunAfter, constantsAfter;
    };
    const Case cases[] = {
        {"-", "-", kExampleFile, kConstantsFile},
        {"-", "mine\r\n9\r\n", kExampleFile, "mine\r\n9\r\n"}, // a tuned file is kept
        {"False\r\n1", "-", "False\r\n1", "-"},                // already set up
        {"", "-", "", "-"},                                    // an empty file counts
    };
    for (const Case &c : cases) {
        ScratchFolder s;
        const auto prepare = [&](const char *name, const std::string &bytes) {
            if (bytes != "-") {
                writeBytes(s.path(name), bytes);
            }
        };
        const auto contents = [&](const char *name) {
            return fs::exists(s.path(name)) ? readBytes(s.path(name)) : "-";
        };
        prepare("Ferrolux.DAT", c.lastRunBefore);
        prepare("CONSTANT.DAT", c.constantsBefore);
        writeBytes(s.path("OTHER.DAT"), "x");
        EXPECT_EQ(seedFirstStart(s.folder()), "");
        EXPECT_EQ(contents("Ferrolux.DAT"), c.lastRunAfter);
        EXPECT_EQ(contents("CONSTANT.DAT"), c.constantsAfter);
        EXPECT_EQ(contents("OTHER.DAT"), "x");
        EXPECT_EQ(std::distance(fs::directory_iterator(s.folder()), fs::directory_iterator()),
                  1 + (c.lastRunAfter != "-") + (c.constantsAfter != "-"));
    }
}

TEST(WriteDefaultFiles, RewritesTheLastRunFile)
{
    ScratchFolder s;
    writeBytes(s.path("Ferrolux.DAT"), "False\r\n");
    EXPECT_EQ(WriteDefaultFiles(s.folder()), "");
    EXPECT_EQ(readBytes(s.path("Ferrolux.DAT")), kExampleFile);
}

TEST(SeedFirstStart, FailureNamesTheFileAndLeavesTheFolderUnseeded)
{
    struct Case
    {
        std::string folderAt, fileAt, appFolder;
        std::string failure; // "@" stands for the scratch folder
        bool constantsWritten;
    };
    const Case cases[] = {
        {"Ferrolux.DAT", "", "", "Cannot replace @Ferrolux.DAT: Is a directory", true},
        {"Ferrolux.DAT.new", "", "", "Cannot write @Ferrolux.DAT.new: Is a directory", true},
        {"CONSTANT.DAT", "", "", "Cannot replace @CONSTANT.DAT: Is a directory", false},
        {"", "app", "app/", "Cannot write @app/CONSTANT.DAT.new: Not a directory", false},
    };
    for (const Case &c : cases) {
        ScratchFolder s;
        if (!c.folderAt.empty()) {
            fs::create_directory(s.path(c.folderAt));
        }
        if (!c.fileAt.empty()) {
            writeBytes(s.path(c.fileAt), "x");
        }
        std::string expected = c.failure;
        expected.replace(expected.find('@'), 1, s.folder());
        EXPECT_EQ(seedFirstStart(s.folder() + c.appFolder), expected);
        EXPECT_EQ(fs::is_regular_file(s.path("CONSTANT.DAT")), c.constantsWritten);
        EXPECT_FALSE(fs::is_regular_file(s.path("Ferrolux.DAT")));
    }
}

} // namespace
} // namespace ferrolux
