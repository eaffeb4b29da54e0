#include "record_file.h"

#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace ferrolux {
namespace {

std::vector<std::string> readAll(const std::string &bytes, std::string *endReason = nullptr)
{
    std::istringstream in(bytes);
    RecordReader reader(in);
    std::vector<std::string> fields;
    while (std::optional<std::string> field = reader.nextField()) {
        fields.push_back(*field);
    }
    EXPECT_EQ(reader.fieldsRead(), static_cast<int>(fields.size()));
    if (endReason != nullptr) {
        *endReason = reader.lastError();
    }
    return fields;
}

struct ReadCase
{
    const char *name;
    std::string bytes;
    std::vector<std::string> fields;
};

class RecordReaderFields : public testing::TestWithParam<ReadCase>
{
};

TEST_P(RecordReaderFields, SplitsAsExpectedAndEndsAtEndOfFile)
{
    std::string reason;
    EXPECT_EQ(readAll(GetParam().bytes, &reason), GetParam().fields);
    EXPECT_EQ(reason, "file ends early");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordReaderFields,
    testing::Values(ReadCase{"CrLf", "117\r\n2.05\r\n", {"117", "2.05"}},
                    ReadCase{"LoneLf", "117\n2.05\n", {"117", "2.05"}},
                    ReadCase{"LoneCr", "117\r2.05\r", {"117", "2.05"}},
                    ReadCase{"MixedLineEnds", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
                    ReadCase{"EmptyLines", "\r\n\r\nx\r\n", {"", "", "x"}},
                    ReadCase{"LfThenCrIsTwoLineEnds", "a\n\rb", {"a", "", "b"}},
                    ReadCase{"CommaSplitsLine", "a,b\r\nc\r\n", {"a", "b", "c"}},
                    ReadCase{"TrailingComma", "a,\r\nb\r\n", {"a", "", "b"}},
                    ReadCase{"LeadingSpacesSkipped", "   x y \r\n", {"x y "}},
                    ReadCase{"IntegerRecord", " 3 \r\n-2 \r\n", {"3 ", "-2 "}},
                    ReadCase{"TabIsKept", "\tx\r\n", {"\tx"}},
                    ReadCase{"QuotedComma", "\"4,5\"\r\nz\r\n", {"4,5", "z"}},
                    ReadCase{"QuotedLeadingBlanks", "\"  a\"\r\n", {"  a"}},
                    ReadCase{"QuotedEmpty", "\"\"\r\nz\r\n", {"", "z"}},
                    ReadCase{"RestAfterQuoteDropped", "\"a\" junk\r\nz\r\n", {"a", "z"}},
                    ReadCase{"RestAfterQuoteUpToComma", "\"a\"x,b\r\n", {"a", "b"}},
                    ReadCase{"SpacesBeforeQuote", "  \"a\"\r\n", {"a"}},
                    ReadCase{"QuoteInsideField", "a\"b\"\r\n", {"a\"b\""}},
                    ReadCase{"UnclosedQuoteEndsWithLine", "\"abc\r\nnext\r\n", {"abc", "next"}},
                    ReadCase{"UnclosedQuoteAtEnd", "\"abc", {"abc"}},
                    ReadCase{"NoFinalLineEnd", "a\r\nb", {"a", "b"}},
                    ReadCase{"Latin1Characters",
                             "\xB0\r\n\xB1"
                             "5\r\n",
                             {"\xC2\xB0", "\xC2\xB1"
                                          "5"}},
                    ReadCase{"EmptyFile", "", {}}),
    [](const testing::TestParamInfo<ReadCase> &testCase) { return testCase.param.name; });

// Produces a prefix and then `count` copies of one character without holding them, and
// counts how many characters the reader took. It keeps no get area, so every character taken
// passes through uflow().
class EndlessBuffer : public std::streambuf
{
public:
    EndlessBuffer(std::string prefix, char fill, long long count)
        : m_prefix(std::move(prefix)), m_fill(fill), m_left(count)
    {
    }
    long long taken() const { return m_taken; }

protected:
    int_type underflow() override
    {
        if (m_prefixPos < m_prefix.size()) {
            return traits_type::to_int_type(m_prefix[m_prefixPos]);
        }
        return m_left > 0 ? traits_type::to_int_type(m_fill) : traits_type::eof();
    }
    int_type uflow() override
    {
        const int_type ch = underflow();
        if (ch != traits_type::eof()) {
            ++m_taken;
            if (m_prefixPos < m_prefix.size()) {
                ++m_prefixPos;
            } else {
                --m_left;
            }
        }
        return ch;
    }

private:
    std::string m_prefix;
    std::size_t m_prefixPos = 0;
    char m_fill;
    long long m_left;
    long long m_taken = 0;
};

struct HugeCase
{
    const char *name;
    std::string prefix;
    char fill;
};

class RecordReaderHugeInput : public testing::TestWithParam<HugeCase>
{
};

TEST_P(RecordReaderHugeInput, StopsSoonAfterTheLimit)
{
    constexpr long long kHundredMegabytes = 100LL * 1024 * 1024;
    EndlessBuffer buffer(GetParam().prefix, GetParam().fill, kHundredMegabytes);
    std::istream in(&buffer);
    RecordReader reader(in);
    EXPECT_FALSE(reader.nextField().has_value());
    EXPECT_NE(reader.lastError().find("longer than 65536"), std::string::npos);
    EXPECT_GE(buffer.taken(), static_cast<long long>(RecordReader::kMaxFieldLength));
    EXPECT_LE(buffer.taken(), static_cast<long long>(RecordReader::kMaxFieldLength) + 8);
    EXPECT_FALSE(reader.nextField().has_value()) << "a failed reader stays failed";
    EXPECT_EQ(reader.fieldsRead(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, RecordReaderHugeInput,
                         testing::Values(HugeCase{"PlainField", "", 'x'},
                                         HugeCase{"QuotedField", "\"", 'x'},
                                         HugeCase{"LeadingSpaces", "", ' '},
                                         HugeCase{"AfterClosingQuote", "\"a\"", 'x'}),
                         [](const testing::TestParamInfo<HugeCase> &testCase) {
                             return testCase.param.name;
                         });

TEST(RecordReader, FieldOfExactlyTheLimitIsRead)
{
    const std::string longest(RecordReader::kMaxFieldLength, 'a');
    std::string reason;
    EXPECT_EQ(readAll(longest + "\r\nb\r\n", &reason), (std::vector<std::string>{longest, "b"}));
    EXPECT_EQ(readAll(longest + "a\r\nb\r\n", &reason), std::vector<std::string>{});
    EXPECT_NE(reason.find("longer than"), std::string::npos);
}

TEST(RecordReader, ReadsOnlyAsFarAsAsked)
{
    std::istringstream in("one\r\ntwo\r\nthree\r\n");
    RecordReader reader(in);
    EXPECT_EQ(reader.nextField(), "one");
    EXPECT_EQ(in.tellg(), 5);
    EXPECT_EQ(reader.nextField(), "two");
    EXPECT_EQ(in.tellg(), 10);
}

TEST(RecordReader, StreamThatCannotBeReadFails)
{
    std::ifstream missing("/nonexistent-folder/Ferrolux.DAT");
    RecordReader reader(missing);
    EXPECT_FALSE(reader.nextField().has_value());
    EXPECT_FALSE(reader.lastError().empty());
}

struct WriteCase
{
    const char *name;
    std::string text;
    std::string line;     // bytes on disk, without the CR LF
    std::string readBack; // what the reader returns
};

class RecordWriterText : public testing::TestWithParam<WriteCase>
{
};

TEST_P(RecordWriterText, WritesOneLineAndReadsBackWithoutShifting)
{
    RecordWriter writer;
    writer.text(GetParam().text);
    writer.text("after");
    EXPECT_EQ(writer.bytes(), GetParam().line + "\r\nafter\r\n");
    EXPECT_EQ(readAll(writer.bytes()), (std::vector<std::string>{GetParam().readBack, "after"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordWriterText,
    testing::Values(WriteCase{"Plain", "99.0e-3", "99.0e-3", "99.0e-3"},
                    WriteCase{"Empty", "", "", ""},
                    WriteCase{"InnerBlanks", "a b  c ", "a b  c ", "a b  c "},
                    WriteCase{"DecimalComma", "4,5", "\"4,5\"", "4,5"},
                    WriteCase{"OnlyComma", ",", "\",\"", ","},
                    WriteCase{"LeadingBlank", " 3", "\" 3\"", " 3"},
                    WriteCase{"LeadingTab", "\t3", "\"\t3\"", "\t3"},
                    WriteCase{"OnlyBlanks", "  ", "\"  \"", "  "},
                    WriteCase{"QuotesDropped", "\"12\"", "12", "12"},
                    WriteCase{"QuoteThenBlank", "\" x,y", "\" x,y\"", " x,y"},
                    WriteCase{"LineBreaksDropped", "a\r\nb\rc\nd", "abcd", "abcd"},
                    WriteCase{"Degree",
                              "\xC2\xB0"
                              "C",
                              "\xB0"
                              "C",
                              "\xC2\xB0"
                              "C"},
                    WriteCase{"PlusMinus",
                              "\xC2\xB1"
                              "5%",
                              "\xB1"
                              "5%",
                              "\xC2\xB1"
                              "5%"},
                    WriteCase{"NotLatin1", "5\xE2\x82\xAC", "5?", "5?"}),
    [](const testing::TestParamInfo<WriteCase> &testCase) { return testCase.param.name; });

TEST(RecordWriter, TruthAndIntegerRecords)
{
    RecordWriter writer;
    writer.truth(true);
    writer.truth(false);
    writer.integer(3);
    writer.integer(0);
    writer.integer(-2);
    writer.integer(32767);
    EXPECT_EQ(writer.bytes(), "True\r\nFalse\r\n 3 \r\n 0 \r\n-2 \r\n 32767 \r\n");
}

struct TruthCase
{
    const char *text;
    std::optional<bool> truth;
};

class TextToTruth : public testing::TestWithParam<TruthCase>
{
};

TEST_P(TextToTruth, Converts)
{
    EXPECT_EQ(textToTruth(GetParam().text), GetParam().truth);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToTruth,
    testing::Values(TruthCase{"True", true}, TruthCase{"False", false}, TruthCase{"TRUE", true},
                    TruthCase{"fAlSe", false}, TruthCase{"True ", true}, TruthCase{" false", false},
                    TruthCase{"0", false}, TruthCase{" 0 ", false}, TruthCase{"-0.0e5", false},
                    TruthCase{"1", true}, TruthCase{"-1 ", true}, TruthCase{"0.001", true},
                    TruthCase{".5", true}, TruthCase{"7.", true}, TruthCase{"1e-400", true},
                    TruthCase{"1E+400", true}, TruthCase{"", std::nullopt},
                    TruthCase{"Truth", std::nullopt}, TruthCase{"yes", std::nullopt},
                    TruthCase{"1x", std::nullopt}, TruthCase{"1e", std::nullopt},
                    TruthCase{".", std::nullopt}, TruthCase{"-", std::nullopt}));

} // namespace
} // namespace ferrolux
