// The data files and what loading makes of them: the record format (fields, quoting, truth
// values, Latin-1), the last-run file, the constants file and the extension block after record
// 30; a file cut off at any byte keeps every record before the damage.

#include "constants_file.h"
#include "default_files.h"
#include "design_extras.h"
#include "last_run_file.h"
#include "record_file.h"
#include "scratch_folder.h"
#include "text_encoding.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

namespace ferrolux {
namespace {

using testing_support::splitRecords;

using Fields = std::vector<std::string>;

// Every field up to the first failure, and that failure's reason.
std::pair<Fields, std::string> readAll(const std::string &bytes)
{
    RecordReader reader(bytes);
    Fields fields;
    while (std::optional<std::string> field = reader.nextField()) {
        fields.push_back(*field);
    }
    return {fields, reader.lastError()};
}

TEST(RecordReader, SplitsFieldsAndFailsAtTheEndOrAtAnOverlongField)
{
    // CR LF, LF, CR and no final line end; empty lines; commas; leading spaces; quoted fields,
    // with text after the closing quote dropped and an open quote ending with its line;
    // Latin-1 bytes read as UTF-8.
    const std::pair<std::string, Fields> cases[] = {
        {"", {}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"\r\n\r\nx\r\n", {"", "", "x"}},
        {"a,b\r\nc,\r\n", {"a", "b", "c", ""}},
        {"   x y \r\n 3 \r\n", {"x y ", "3 "}},
        {"\"4,5\"\r\n\"\"\r\n  \"  a\"\r\n", {"4,5", "", "  a"}},
        {"\"a\" junk\r\n\"b\"x,c\r\n", {"a", "b", "c"}},
        {"\"abc\r\nnext\r\n\"end", {"abc", "next", "end"}},
        {"\xB0\r\n\xB1", {"\xC2\xB0", "\xC2\xB1"}},
        // A UTF-8 byte order mark is skipped only whole and only at the start.
        {"\xEF\xBB\xBFTrue", {"True"}},
        {"\xEF\xBBTrue", {"\xC3\xAF\xC2\xBBTrue"}},
        {"a\r\n\xEF\xBB\xBF", {"a", "\xC3\xAF\xC2\xBB\xC2\xBF"}}};
    for (const auto &[bytes, fields] : cases) {
        EXPECT_EQ(readAll(bytes), std::make_pair(fields, std::string("file ends early"))) << bytes;
    }
    // An overlong field fails without reading on.
    constexpr std::size_t kMax = RecordReader::kMaxFieldLength;
    const std::string longest(kMax, 'a'), tooLong(kMax + 1, 'x');
    EXPECT_EQ(readAll(longest + "\r\nb").first, (Fields{longest, "b"}));
    for (const std::string &bytes : {tooLong, "\"" + tooLong, std::string(kMax + 1, ' ')}) {
        const std::string file = bytes + tooLong + "\r\nnext\r\n";
        RecordReader reader(file);
        EXPECT_EQ(reader.nextField(), std::nullopt);
        EXPECT_EQ(reader.lastError(), "field is longer than 65536 characters");
        EXPECT_EQ(reader.nextField(), std::nullopt) << "a failed reader stays failed";
    }
}

TEST(RecordWriter, TextRecordsReadBackWithoutShifting)
{
    // Text, the line written, the field read back: a comma or a leading blank is quoted,
    // quotes and line breaks are dropped, what Latin-1 cannot hold becomes one "?" (below: a
    // four-byte character, a truncated sequence and a lone continuation byte too).
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"99.0e-3", "99.0e-3", "99.0e-3"}, {"", "", ""},
        {"4,5", "\"4,5\"", "4,5"},         {" 3", "\" 3\"", " 3"},
        {"\t3", "\"\t3\"", "\t3"},         {"\" x,y", "\" x,y\"", " x,y"},
        {"a\r\nb\rc\nd", "abcd", "abcd"},  {"\xC2\xB0\xC2\xB1", "\xB0\xB1", "\xC2\xB0\xC2\xB1"},
        {"5\xE2\x82\xAC", "5?", "5?"}};
    for (const auto &[text, line, readBack] : cases) {
        RecordWriter writer;
        writer.text(text);
        writer.text("after");
        EXPECT_EQ(writer.bytes(), line + "\r\nafter\r\n");
        EXPECT_EQ(readAll(writer.bytes()).first, (Fields{readBack, "after"}));
    }
    EXPECT_EQ(utf8ToLatin1("a\xF0\x9F\x94\x8Cz"), "a?z");
    EXPECT_EQ(utf8ToLatin1("x\xC3"), "x?");
    EXPECT_EQ(utf8ToLatin1("\x80q"), "?q");
    std::string all; // every Latin-1 byte survives the way to UTF-8 and back
    for (int byte = 0; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(utf8ToLatin1(latin1ToUtf8(all)), all);
}

TEST(TextToTruth, WordsOrOneWholeNumberNonZeroMeaningTrue)
{
    // Zero is decided from the digits, so numbers beyond a double still read.
    const std::pair<const char *, std::optional<bool>> cases[] = {
        {"tRUE", true},        {" false\t", false},    {" 1 ", true},        {"0.0", false},
        {"+0e5", false},       {".5", true},           {"-0.01", true},      {"1e400", true},
        {"0e-400", false},     {"1e-400", true},       {"", std::nullopt},   {".", std::nullopt},
        {"1e", std::nullopt},  {"1e+", std::nullopt},  {"1x", std::nullopt}, {"- 1", std::nullopt},
        {"1 2", std::nullopt}, {"truex", std::nullopt}};
    for (const auto &[text, expected] : cases) {
        EXPECT_EQ(textToTruth(text), expected) << '"' << text << '"';
    }
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

// A file cut off anywhere is in ReadingFaults below; here the failure names the missing record,
// and records after the thirtieth never disturb the run, however damaged.
TEST(LastRunFile, RoundTripsEveryFieldAndIgnoresWhatFollowsTheThirtiethRecord)
{
    const std::string whole = lastRunFileBytes(awkwardRun());
    const LastRunLoad load = readLastRun(whole);
    EXPECT_TRUE(load.complete()) << load.failure;
    EXPECT_EQ(load.values, awkwardRun());
    // The flag is a truth record, the type and the check box are integer records.
    const std::vector<std::string> lines = splitRecords(whole);
    EXPECT_EQ(lines.at(0) + "|" + lines.at(22) + "|" + lines.at(29), "True| 4 | 2 ");
    EXPECT_EQ(readLastRun(whole.substr(0, whole.find("\r\n") + 2)).failure,
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
        const LastRunLoad load = readLastRun(bytes);
        SCOPED_TRACE(std::string(flag) + "|" + typeCode + "|" + loading);
        EXPECT_EQ(load.recordsRead, read) << load.failure;
        EXPECT_EQ(load.failure.empty(), read == 30) << load.failure;
        EXPECT_TRUE(load.values.example == example && load.values.typeCode == expectedType &&
                    load.values.loading == expectedLoading);
    }
    EXPECT_EQ(readLastRun("yes\r\n").failure,
              "record 1 (example flag): \"yes\" is not a truth value");
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

TEST(ReadingFaults, CutOffAtEveryByteKeepsTheRecordsBeforeTheDamage)
{
    // A saved run with a quoted field and a leading blank, so that the damage meets every kind.
    LastRun saved = exampleLastRun();
    saved.example = false, saved.typeCode = 4, saved.secondaries[4] = {"12.6", " 0.5", "1,5"};
    const std::string bytes = lastRunFileBytes(saved);
    const std::vector<std::string> full = splitRecords(bytes),
                                   untouched = splitRecords(lastRunFileBytes({}));
    for (std::size_t at = 0; at <= bytes.size(); ++at) {
        SCOPED_TRACE("cut after " + std::to_string(at));
        const LastRunLoad load = readLastRun(std::string_view(bytes).substr(0, at));
        // Every record whose text is all there counts; the cut one may be read as far as it
        // goes; the records after it keep their defaults.
        const int whole = static_cast<int>(std::count(
            bytes.begin(),
            bytes.begin() + static_cast<std::ptrdiff_t>(std::min(at + 1, bytes.size())), '\r'));
        EXPECT_TRUE(load.recordsRead == whole || load.recordsRead == whole + 1);
        const std::vector<std::string> got = splitRecords(lastRunFileBytes(load.values));
        for (int r = 0; r < 30; ++r) {
            const auto i = static_cast<std::size_t>(r);
            EXPECT_TRUE(r < whole ? got[i] == full[i]
                                  : r < load.recordsRead || got[i] == untouched[i])
                << "record " << r + 1 << ": " << got[i];
        }
        EXPECT_EQ(load.failure.empty(), load.complete()) << load.failure;
    }
}

} // namespace
} // namespace ferrolux
