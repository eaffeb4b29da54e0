// The data files and what loading makes of them: the record format (fields, quoting, truth
// values, Latin-1), the last-run file, the constants file; a file cut off at any byte keeps every
// record before the damage. And numbers in and out: the leading decimal read from a field's
// text, whole numbers rounded half to even, the report's engineering format and the check
// lines' formatting (no "-0", no line cut short).

#include "constants_file.h"
#include "default_files.h"
#include "eng_format.h"
#include "last_run_file.h"
#include "line_format.h"
#include "number_text.h"
#include "record_file.h"
#include "scratch_folder.h"
#include "text_encoding.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
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

TEST(TextToNumber, ReadsTheLongestLeadingDecimal)
{
    // Blanks and signs, decimal points, trailing text, complete and partial exponents.
    const std::pair<const char *, double> cases[] = {
        {"", 0},       {"   ", 0},       {"  117", 117},  {"\t 2.5", 2.5}, {"\n5", 0},
        {"+4", 4},     {"-0.47", -0.47}, {"- 5", 0},      {"+-5", 0},      {".5", 0.5},
        {"5.", 5},     {"-.", 0},        {"1.2.3", 1.2},  {"1,5", 1},      {"12abc", 12},
        {"abc", 0},    {"inf", 0},       {"0x1A", 0},     {"1e3", 1000},   {"2.5E-3", 0.0025},
        {"4e+6", 4e6}, {".5e1", 5},      {"1e", 1},       {"1e+", 1},      {"1E-x", 1},
        {"7e 3", 7},   {"e5", 0},        {"1e3.5", 1000}, {"1e-400", 0},   {"1e308", 1e308}};
    for (const auto &[text, expected] : cases) {
        EXPECT_EQ(textToNumber(text), expected) << '"' << text << '"';
    }
    // Too large for a double is an arithmetic failure, never infinity.
    for (const char *text : {"1e400", "-1e400", "1.8e308", "0.01e311"}) {
        EXPECT_EQ(textToNumber(text), std::nullopt) << text;
    }
}

TEST(TextToWholeNumber, RoundsHalfToEvenInto16Bits)
{
    const std::pair<const char *, int> cases[] = {
        {"", 0},      {"6x", 6},          {"0.5", 0},           {"1.5", 2},
        {" 2.5", 2},  {"3.5", 4},         {"-0.5", 0},          {"-2.5", -2},
        {"-2.6", -3}, {"32767.4", 32767}, {"-32768.5", -32768}, {"0.49999999999999994", 0}};
    for (const auto &[text, expected] : cases) {
        EXPECT_EQ(textToWholeNumber(text), expected) << '"' << text << '"';
    }
    for (const char *text : {"32767.5", "-32768.6", "1e400"}) {
        EXPECT_EQ(textToWholeNumber(text), std::nullopt) << text;
    }
    for (const double value : {NAN, INFINITY, -INFINITY}) {
        EXPECT_EQ(roundToInt16(value), std::nullopt) << value;
    }
    // Beyond 16 bits the rounding itself: 2^52 + 1 has no fraction to round, and adding a half
    // to it would land on the next even number.
    const std::pair<double, double> wide[] = {
        {4503599627370497.0, 4503599627370497.0}, {-4.5, -4.0}, {40000.5, 40000.0}, {1e300, 1e300}};
    for (const auto &[value, rounded] : wide) {
        EXPECT_EQ(roundHalfToEven(value), rounded) << value;
    }
}

TEST(EngFormat, RealModeEdgeCases)
{
    // Value and text, eleven characters wide (± is one) but for "1000" and the overflow; then
    // padding of each mantissa width, the carry into the next decade, and the exponent group
    // the list above leaves out.
    const std::pair<double, std::string> cases[] = {
        {0.0, " 0.000     "},       {-0.0, " 0.000     "},       {5e-16, " 0.000     "},
        {-5e-16, "-0.000     "},    {9.9995e-16, " 0.000     "}, {1e-15, " 1.000e-15 "},
        {2e-13, " 200.0e-15 "},     {47e-12, " 47.00e-12 "},     {3.3e-9, " 3.300e-9  "},
        {-2.5e-7, "-250.0e-9  "},   {0.000999, " 999.0e-6  "},   {0.0012346, " 1.235e-3  "},
        {0.75, " 750.0e-3  "},      {1.0, " 1.000     "},        {3.14159, " 3.142     "},
        {12.5, " 12.50     "},      {117.0, " 117.0     "},      {-999.4, "-999.4     "},
        {999.95, " 1000     "},     {999.96, " 1.000e+3  "},     {12340.0, " 12.34e+3  "},
        {999950.0, " 1000e+3  "},   {1234567.0, " 1.235e+6  "},  {1e12, " 1.000e+12 "},
        {9.9994e12, " 9.999e+12 "}, {1e13, "+*.***E\xC2\xB1* "}, {-1e13, "-*.***E\xC2\xB1* "},
        {1.05, " 1.050     "},      {20.0, " 20.00     "},       {9.9996, " 10.00     "},
        {5e9, " 5.000e+9  "},       {2.5e10, " 25.00e+9  "},     {5e11, " 500.0e+9  "}};
    for (const auto &[value, expected] : cases) {
        double dValue = value;
        std::string text, real = "old real", imag = "old imag";
        EngFormat(dValue, text, real, imag);
        EXPECT_EQ(real, expected) << value;
        EXPECT_EQ(text, expected) << value;
        EXPECT_EQ(imag, "old imag") << value;
        EXPECT_TRUE(dValue == value && std::signbit(dValue) == std::signbit(value)) << value;
    }
}

TEST(EngFormat, ComplexModeFormatsBothPartsOrChangesNothing)
{
    // The characters before the j are not read; the last j counts; positions are counted in
    // characters (± is one).
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"1.5 + j2.25", " 1.500     ", " 2.250     "},
        {"100 + J-0.47", " 100.0     ", "-470.0e-3  "},
        {"4 - j3", " 4.000     ", " 3.000     "},
        {"1 + j2 + j3", " 1.000     ", " 3.000     "},
        {"12\xC2\xB1j3", " 1.000     ", " 3.000     "}};
    for (const auto &[input, expectedReal, expectedImag] : cases) {
        double value = 42.5;
        std::string text = input, real, imag;
        EngFormat(value, text, real, imag);
        EXPECT_TRUE(real == expectedReal && imag == expectedImag) << input << real << imag;
        EXPECT_TRUE(text == input && value == 42.5) << input;
    }
    // A text that is not complex changes nothing.
    for (const char *input : {"1.5 + 2.25", "j5 + 3", "\xC2\xB1j2", "1e400 + j1"}) {
        double value = 42.5;
        std::string text = input, real = "old real", imag = "old imag";
        EXPECT_ANY_THROW(EngFormat(value, text, real, imag)) << input;
        EXPECT_TRUE(real == "old real" && imag == "old imag" && text == input) << input;
    }
    EXPECT_THROW(engFormatComplex("j5 + 3"), std::invalid_argument);
    EXPECT_THROW(engFormatComplex("1e400 + j1"), std::overflow_error);
    // The longest text read is 32766 characters.
    EXPECT_EQ(engFormatComplex(std::string(32760, ' ') + "1 + j2").imag, " 2.000     ");
    EXPECT_THROW(engFormatComplex(std::string(32761, ' ') + "1 + j2"), std::overflow_error);
    // The text variable passed as an output too keeps the text that was parsed.
    std::string text = "1.5 + j2.25", imag;
    double value = 0;
    EngFormat(value, text, text, imag);
    EXPECT_EQ(text, "1.5 + j2.25");
}

TEST(FormatLine, NoMinusZeroAndNoLineCutShort)
{
    const std::pair<std::string, std::string> cases[] = {
        {formatLine("%.1f K", -0.04), "0.0 K"},
        {formatLine("margin %.1f K (%.0f%%)", -0.04, -0.3), "margin 0.0 K (0%)"},
        {formatLine("%.1f", -0.5), "-0.5"},
        {formatLine("%.0e", -1e-5), "-1e-05"},
        {formatLine("x-%.0f", 0.0), "x-0"},
        {formatLine("%s", std::string(600, 'w').c_str()), std::string(600, 'w')},
    };
    for (const auto &[line, expected] : cases) {
        EXPECT_EQ(line, expected);
    }
}

} // namespace
} // namespace ferrolux
