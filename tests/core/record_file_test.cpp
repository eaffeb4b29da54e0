#include "record_file.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace ferrolux {
namespace {

using Fields = std::vector<std::string>;

// Every field up to the first failure, and that failure's reason.
std::pair<Fields, std::string> readAll(const std::string &bytes)
{
    std::istringstream in(bytes);
    RecordReader reader(in);
    Fields fields;
    while (std::optional<std::string> field = reader.nextField()) {
        fields.push_back(*field);
    }
    EXPECT_EQ(reader.fieldsRead(), static_cast<int>(fields.size()));
    return {fields, reader.lastError()};
}

TEST(RecordReader, SplitsFieldsAndFailsAtTheEnd)
{
    const std::pair<std::string, Fields> cases[] = {
        {"117\r\n2.05\r\n", {"117", "2.05"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}}, // CR LF, LF, CR, no final line end
        {"a\n\rb", {"a", "", "b"}},             // LF then CR is two line ends
        {"\r\n\r\nx\r\n", {"", "", "x"}},
        {"a,b\r\nc,\r\n", {"a", "b", "c", ""}},
        {"   x y \r\n", {"x y "}},
        {" 3 \r\n-2 \r\n", {"3 ", "-2 "}},
        {"\tx\r\n", {"\tx"}},
        {"\"4,5\"\r\n\"\"\r\n  \"  a\"\r\n", {"4,5", "", "  a"}},
        {"\"a\" junk\r\n\"b\"x,c\r\n", {"a", "b", "c"}},    // text after the closing quote dropped
        {"a\"b\"\r\n", {"a\"b\""}},                         // a quote inside a field is kept
        {"\"abc\r\nnext\r\n\"end", {"abc", "next", "end"}}, // an open quote ends with its line
        {"\xB0\r\n\xB1", {"\xC2\xB0", "\xC2\xB1"}},
        {"", {}},
    };
    for (const auto &[bytes, fields] : cases) {
        EXPECT_EQ(readAll(bytes), std::make_pair(fields, std::string("file ends early"))) << bytes;
    }
}

TEST(RecordReader, OverlongInputFailsWithoutReadingOn)
{
    constexpr std::size_t kMax = RecordReader::kMaxFieldLength;
    const std::string longest(kMax, 'a');
    EXPECT_EQ(readAll(longest + "\r\nb").first, (Fields{longest, "b"}));

    const std::string tail(3 * kMax, 'x');
    const std::string blanks(3 * kMax, ' ');
    for (const std::string &bytes : {tail, "\"" + tail, blanks, "\"a\"" + tail}) {
        std::istringstream in(bytes + "\r\nnext\r\n");
        RecordReader reader(in);
        EXPECT_EQ(reader.nextField(), std::nullopt);
        EXPECT_EQ(reader.lastError(), "field is longer than 65536 characters");
        EXPECT_LE(in.tellg(), static_cast<std::streamoff>(kMax + 3));
        EXPECT_EQ(reader.nextField(), std::nullopt) << "a failed reader stays failed";
    }
}

TEST(RecordReader, ReadsOnlyAsFarAsAskedAndReportsAnUnreadableStream)
{
    std::istringstream in("one\r\ntwo\r\nthree\r\n");
    RecordReader reader(in);
    EXPECT_EQ(reader.nextField(), "one");
    EXPECT_EQ(in.tellg(), 5);

    std::ifstream missing("/nonexistent-folder/Ferrolux.DAT");
    RecordReader failing(missing);
    EXPECT_EQ(failing.nextField(), std::nullopt);
    EXPECT_EQ(failing.lastError(), "the file cannot be read");
}

TEST(RecordWriter, TextRecordsReadBackWithoutShifting)
{
    struct Case
    {
        std::string text, line, readBack;
    };
    const Case cases[] = {
        {"99.0e-3", "99.0e-3", "99.0e-3"},
        {"", "", ""},
        {"a b  c ", "a b  c ", "a b  c "},
        {"4,5", "\"4,5\"", "4,5"},
        {" 3", "\" 3\"", " 3"},
        {"\t3", "\"\t3\"", "\t3"},
        {"\"12\"", "12", "12"},
        {"\" x,y", "\" x,y\"", " x,y"},
        {"a\r\nb\rc\nd", "abcd", "abcd"},
        {"\xC2\xB0\xC2\xB1", "\xB0\xB1", "\xC2\xB0\xC2\xB1"},
        {"5\xE2\x82\xAC", "5?", "5?"},
    };
    for (const Case &c : cases) {
        RecordWriter writer;
        writer.text(c.text);
        writer.text("after");
        EXPECT_EQ(writer.bytes(), c.line + "\r\nafter\r\n");
        EXPECT_EQ(readAll(writer.bytes()).first, (Fields{c.readBack, "after"}));
    }
}

TEST(RecordWriter, TruthAndIntegerRecords)
{
    RecordWriter writer;
    writer.truth(true);
    writer.truth(false);
    for (const int value : {3, 0, -2, 32767}) {
        writer.integer(value);
    }
    EXPECT_EQ(writer.bytes(), "True\r\nFalse\r\n 3 \r\n 0 \r\n-2 \r\n 32767 \r\n");
}

TEST(TextToTruth, WordsAndNumbers)
{
    for (const char *text : {"True", "TRUE", " true ", "1", "-1 ", "0.001", ".5", "7.", "1e-400"}) {
        EXPECT_EQ(textToTruth(text), true) << text;
    }
    for (const char *text : {"False", "fAlSe", "0", " 0 ", "-0.0e5"}) {
        EXPECT_EQ(textToTruth(text), false) << text;
    }
    for (const char *text : {"", "Truth", "yes", "1x", "1e", ".", "-"}) {
        EXPECT_EQ(textToTruth(text), std::nullopt) << text;
    }
}

} // namespace
} // namespace ferrolux
