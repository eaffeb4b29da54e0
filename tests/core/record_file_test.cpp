#include "record_file.h"
#include "text_encoding.h"

#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <tuple>
#include <vector>

namespace ferrolux {
namespace {

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

TEST(RecordReader, SplitsFieldsAndFailsAtTheEnd)
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
}

TEST(RecordReader, OverlongFieldFailsWithoutReadingOn)
{
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
    // quotes and line breaks are dropped, what Latin-1 cannot hold becomes "?".
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

TEST(TextEncoding, Latin1RoundTripAndReplacementOfTheRest)
{
    // A four-byte character, a truncated sequence and a lone continuation byte.
    const std::pair<const char *, const char *> cases[] = {
        {"a\xF0\x9F\x94\x8Cz", "a?z"}, {"x\xC3", "x?"}, {"\x80q", "?q"}};
    for (const auto &[utf8, latin1] : cases) {
        EXPECT_EQ(utf8ToLatin1(utf8), latin1) << utf8;
    }
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    const std::string utf8 = latin1ToUtf8(all);
    EXPECT_EQ(utf8.substr(2 * 0xB0 - 128, 2), "\xC2\xB0");
    EXPECT_EQ(utf8ToLatin1(utf8), all);
}

} // namespace
} // namespace ferrolux
