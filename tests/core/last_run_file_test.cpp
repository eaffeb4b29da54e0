// The two files that loading reads: the last-run file and the constants file.

#include "constants_file.h"
#include "last_run_file.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>
#include <sstream>
#include <tuple>
#include <vector>

namespace ferrolux {
namespace {

using testing_support::splitRecords;

LastRunLoad readFrom(const std::string &bytes)
{
    return readLastRun(bytes);
}

// Every text different, including what the plain record format cannot carry by itself.
LastRun awkwardRun()
{
    LastRun run;
    for (std::size_t i = 0; i < run.secondaries.size(); ++i) {
        const std::string n = std::to_string(i);
        run.secondaries[i] = {"V" + n + ", DC", "  R" + n, n + " A\xC2\xB1"};
    }
    run.example = true, run.primaryVoltage = "117,5", run.primaryResistance = " 2.05";
    run.typeCode = 4, run.loading = 2, run.z = "\t9.7", run.a = "\xC2\xB0", run.b = ",";
    return run;
}

TEST(LastRunFile, RoundTripsEveryFieldWithoutShifting)
{
    const LastRunLoad load = readFrom(lastRunFileBytes(awkwardRun()));
    EXPECT_TRUE(load.complete()) << load.failure;
    EXPECT_EQ(load.values, awkwardRun());
    // Quotes and line breaks are dropped, and no record moves.
    LastRun run = awkwardRun(), expected = awkwardRun();
    run.primaryVoltage = "1\r\n2\"3\"", run.c = "line\nbreak";
    expected.primaryVoltage = "123", expected.c = "linebreak";
    EXPECT_EQ(readFrom(lastRunFileBytes(run)).values, expected);
    // The flag is a truth record, the type and the check box are integer records.
    const std::vector<std::string> lines = splitRecords(lastRunFileBytes(awkwardRun()));
    EXPECT_EQ(lines.at(0) + "|" + lines.at(22) + "|" + lines.at(29), "True| 4 | 2 ");
}

// A file cut off anywhere is in fault_injection_test; here the failure names the missing record,
// and records after the thirtieth never disturb the run, however damaged.
TEST(LastRunFile, EndsEarlyOrGoesOnAfterTheThirtiethRecord)
{
    const std::string whole = lastRunFileBytes(awkwardRun());
    EXPECT_EQ(readFrom(whole.substr(0, whole.find("\r\n") + 2)).failure,
              "record 2: file ends early");
    EXPECT_EQ(readLastRun(whole + "extra\r\n\"" + std::string(200000, 'x')).values, awkwardRun());
}

TEST(LastRunFile, FlagTypeAndCheckBoxRecords)
{
    // Records 1, 23 and 30 (all others empty); records read, flag, type code, check box.
    // Halves go to the even neighbour; a check box of "2.6" rounds to 3, which is refused.
    const std::tuple<const char *, const char *, const char *, int, bool, int, int> cases[] = {
        {"True", " 3 ", " 1 ", 30, true, 3, 1}, {"fALSE", "3", "1", 30, false, 3, 1},
        {"0", "abc", "abc", 30, false, 0, 0},   {"-1", "2.5", "1.5", 30, true, 2, 2},
        {"1e-400", "", "0", 30, true, 0, 0},    {"yes", "1", "1", 0, false, 0, 0},
        {"1", "40000", "1", 22, true, 0, 0},    {"1", "1e999", "1", 22, true, 0, 0},
        {"1", "1", "2.6", 29, true, 1, 0},      {"1", "1", "-1", 29, true, 1, 0}};
    for (const auto &[flag, typeCode, loading, read, example, expectedType, expectedLoading] :
         cases) {
        std::string bytes = std::string(flag) + "\r\n";
        for (int record = 2; record <= 30; ++record) {
            bytes += std::string(record == 23 ? typeCode : record == 30 ? loading : "") + "\r\n";
        }
        const LastRunLoad load = readFrom(bytes);
        SCOPED_TRACE(std::string(flag) + "|" + typeCode + "|" + loading);
        EXPECT_EQ(load.recordsRead, read) << load.failure;
        EXPECT_EQ(load.failure.empty(), read == 30) << load.failure;
        EXPECT_TRUE(load.values.example == example && load.values.typeCode == expectedType &&
                    load.values.loading == expectedLoading);
    }
    EXPECT_EQ(readFrom("yes\r\n").failure, "record 1 (example flag): \"yes\" is not a truth value");
}

TEST(ConstantsFile, StoresEachValueAsItIsRead)
{
    // Bytes, and the four limits after applying what was read to limits that all were 9.
    // "2,5" is two fields, so every later record moves on by one.
    const std::pair<std::string, std::vector<double>> cases[] = {
        {"a\r\n2.5\r\nb\r\n4.5\r\nc\r\n1.5\r\nd\r\n2.5\r\nmore\r\n", {2.5, 4.5, 1.5, 2.5}},
        {"a\n 3 \nb\n4e-1\nc\nabc\nd\n+7.", {3, 0.4, 0, 7}},
        {"", {9, 9, 9, 9}},
        {"a\r\n2.5\r\nb\r\n", {2.5, 9, 9, 9}},
        {"a\r\n2,5\r\nb\r\n4.5\r\n", {2, 0, 9, 9}},
        {"a\r\n1\r\nb\r\n1e999\r\nc\r\n3\r\nd\r\n4\r\n", {1, 9, 9, 9}}};
    for (const auto &[bytes, expected] : cases) {
        const ConstantsLoad load = readConstants(bytes);
        DissipationLimits limits{9, 9, 9, 9};
        load.applyTo(limits);
        EXPECT_EQ(std::vector({limits.OCPPDis, limits.OCFPDis, limits.POTPPDis, limits.POTFPDis}),
                  expected)
            << bytes;
        EXPECT_EQ(load.failure.empty(), load.valuesRead == 4) << bytes;
    }
}

} // namespace
} // namespace ferrolux
