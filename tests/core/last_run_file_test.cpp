#include "last_run_file.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace ferrolux {
namespace {

LastRunLoad readFrom(const std::string &bytes)
{
    std::istringstream in(bytes);
    return readLastRun(in);
}

// The file's lines, each with its CR LF.
std::vector<std::string> linesOf(const std::string &bytes)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start) + 2;
        lines.push_back(bytes.substr(start, end - start));
        start = end;
    }
    return lines;
}

// Every text different, including what the plain record format cannot carry by itself.
LastRun awkwardRun()
{
    LastRun run;
    run.example = true;
    run.primaryVoltage = "117,5";
    run.primaryResistance = " 2.05";
    run.secondaryCount = "4";
    run.typeCode = 4;
    run.loading = 2;
    for (std::size_t i = 0; i < run.secondaries.size(); ++i) {
        const std::string n = std::to_string(i);
        run.secondaries[i] = {"V" + n + ", DC", "  R" + n, n + " A\xC2\xB1"};
    }
    run.y = "9.6 ";
    run.z = "\t9.7";
    run.a = "\xC2\xB0";
    run.b = ",";
    return run;
}

TEST(LastRunFile, RoundTripsEveryField)
{
    for (const bool example : {false, true}) {
        LastRun run = awkwardRun();
        run.example = example;
        const LastRunLoad load = readFrom(lastRunFileBytes(run));
        EXPECT_TRUE(load.complete()) << load.failure;
        EXPECT_EQ(load.values, run);
    }
    // Quotes and line breaks are dropped, and no record moves.
    LastRun run = awkwardRun();
    run.primaryVoltage = "1\r\n2\"3\"";
    run.c = "line\nbreak";
    LastRun expected = run;
    expected.primaryVoltage = "123";
    expected.c = "linebreak";
    EXPECT_EQ(readFrom(lastRunFileBytes(run)).values, expected);
}

TEST(LastRunFile, CloseWritesTruthAndIntegerRecords)
{
    LastRun run;
    run.typeCode = 3;
    run.loading = 1;
    const std::vector<std::string> lines = linesOf(lastRunFileBytes(run));
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_EQ(lines[0] + lines[1] + lines[22] + lines[29], "False\r\n\r\n 3 \r\n 1 \r\n");
}

TEST(LastRunFile, TruncatedFileKeepsTheRecordsBeforeTheEnd)
{
    const std::vector<std::string> full = linesOf(lastRunFileBytes(awkwardRun()));
    const std::vector<std::string> empty = linesOf(lastRunFileBytes(LastRun{}));
    std::string bytes;
    for (std::size_t kept = 0; kept < 30; bytes += full[kept++]) {
        const LastRunLoad load = readFrom(bytes);
        EXPECT_EQ(load.recordsRead, static_cast<int>(kept));
        EXPECT_EQ(load.hasTypeCode(), kept >= 23);
        EXPECT_EQ(load.failure, "record " + std::to_string(kept + 1) + ": file ends early");
        // Records that were read hold the file's values, all others their defaults.
        const std::vector<std::string> got = linesOf(lastRunFileBytes(load.values));
        for (std::size_t i = 0; i < 30; ++i) {
            EXPECT_EQ(got[i], i < kept ? full[i] : empty[i]) << kept << " kept, record " << i + 1;
        }
    }
}

TEST(LastRunFile, RecordsAfterTheThirtiethAreNeverRead)
{
    const std::string bytes = lastRunFileBytes(awkwardRun());
    std::istringstream in(bytes + "extra\r\n\"" + std::string(200000, 'x'));
    const LastRunLoad load = readLastRun(in);
    EXPECT_TRUE(load.complete()) << load.failure;
    EXPECT_EQ(load.values, awkwardRun());
    EXPECT_EQ(in.tellg(), static_cast<std::streamoff>(bytes.size()));
}

TEST(LastRunFile, FlagTypeAndCheckBoxRecords)
{
    struct Case
    {
        std::string flag, type, check;
        int recordsRead;
        std::string failure;
        bool example;
        int typeCode, loading;
    };
    const std::string type = "record 23 (type code): ";
    const std::string check = "record 30 (loading check box): ";
    const Case cases[] = {
        {"True", " 3 ", " 1 ", 30, "", true, 3, 1},
        {"fALSE", "3", "1", 30, "", false, 3, 1},
        {"0", "abc", "abc", 30, "", false, 0, 0},
        {"-1", "2.5", "1.5", 30, "", true, 2, 2}, // halves go to the even neighbour
        {"1", "-7", "0.5", 30, "", true, -7, 0},
        {"yes", "1", "1", 0, "record 1 (example flag): \"yes\" is not a truth value", false, 0, 0},
        {"", "1", "1", 0, "record 1 (example flag): \"\" is not a truth value", false, 0, 0},
        {"True", "40000", "1", 22, type + "\"40000\" is outside the 16-bit whole numbers", true, 0,
         0},
        {"True", "1e999", "1", 22, type + "\"1e999\" is too large a number", true, 0, 0},
        {"True", "1", "3", 29, check + "value 3 is not 0, 1 or 2", true, 1, 0},
        {"True", "1", "2.6", 29, check + "value 3 is not 0, 1 or 2", true, 1, 0},
        {"True", "1", "-1", 29, check + "value -1 is not 0, 1 or 2", true, 1, 0},
        {"True", "1", "70000", 29, check + "\"70000\" is outside the 16-bit whole numbers", true, 1,
         0},
    };
    for (const Case &c : cases) {
        std::string bytes = c.flag + "\r\n";
        for (int record = 2; record <= 30; ++record) {
            bytes += (record == 23 ? c.type : record == 30 ? c.check : "") + "\r\n";
        }
        const LastRunLoad load = readFrom(bytes);
        SCOPED_TRACE(c.flag + "|" + c.type + "|" + c.check);
        EXPECT_EQ(load.recordsRead, c.recordsRead);
        EXPECT_EQ(load.failure, c.failure);
        EXPECT_EQ(load.values.example, c.example);
        EXPECT_EQ(load.values.typeCode, c.typeCode);
        EXPECT_EQ(load.values.loading, c.loading);
    }
}

TEST(LastRunFile, ExampleFlagReadsOnlyRecordOne)
{
    const std::pair<std::string, std::optional<bool>> cases[] = {
        {"True\r\n", true}, {"False\r\n117\r\n", false},
        {"TRUE", true},     {"True,x\r\n\"", true},
        {"1\r\n", true},    {"Example\r\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto &[bytes, flag] : cases) {
        std::istringstream in(bytes);
        EXPECT_EQ(readExampleFlag(in), flag) << bytes;
    }
}

} // namespace
} // namespace ferrolux
