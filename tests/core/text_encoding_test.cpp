#include "text_encoding.h"

#include <gtest/gtest.h>
#include <string>

namespace ferrolux {
namespace {

struct Utf8Case
{
    const char *name;
    std::string utf8;
    std::string latin1;
};

class Utf8ToLatin1 : public testing::TestWithParam<Utf8Case>
{
};

TEST_P(Utf8ToLatin1, ConvertsOrReplacesWithQuestionMark)
{
    EXPECT_EQ(utf8ToLatin1(GetParam().utf8), GetParam().latin1);
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8ToLatin1,
                         testing::Values(Utf8Case{"Ascii", "117 V, 2.05", "117 V, 2.05"},
                                         Utf8Case{"DegreeAndPlusMinus",
                                                  "\xC2\xB0"
                                                  "F \xC2\xB1"
                                                  "1",
                                                  "\xB0"
                                                  "F \xB1"
                                                  "1"},
                                         Utf8Case{"LastLatin1", "\xC3\xBF", "\xFF"},
                                         Utf8Case{"EuroIsOutsideLatin1", "5\xE2\x82\xAC", "5?"},
                                         Utf8Case{"FourByteCharacter",
                                                  "a\xF0\x9F\x94\x8C"
                                                  "b",
                                                  "a?b"},
                                         Utf8Case{"TruncatedAtEnd", "x\xC3", "x?"},
                                         Utf8Case{"TruncatedBeforeAscii",
                                                  "\xE2\x82"
                                                  "A",
                                                  "?A"},
                                         Utf8Case{"LoneContinuation",
                                                  "\x80"
                                                  "a",
                                                  "?a"},
                                         Utf8Case{"OverlongNul", std::string("\xC0\x80", 2), "??"},
                                         Utf8Case{"OverlongThreeByte", "\xE0\x81\x81", "???"},
                                         Utf8Case{"Surrogate", "\xED\xA0\x80", "???"},
                                         Utf8Case{"AboveUnicode", "\xF4\x90\x80\x80", "????"},
                                         Utf8Case{"InvalidLeadByte",
                                                  "\xFF"
                                                  "z",
                                                  "?z"},
                                         Utf8Case{"Empty", "", ""}),
                         [](const testing::TestParamInfo<Utf8Case> &testCase) {
                             return testCase.param.name;
                         });

TEST(Latin1ToUtf8, EveryByteRoundTrips)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    const std::string utf8 = latin1ToUtf8(all);
    EXPECT_EQ(utf8.size(), 128u + 2u * 128u);
    EXPECT_EQ(utf8ToLatin1(utf8), all);
}

TEST(Latin1ToUtf8, WritesTwoByteSequences)
{
    EXPECT_EQ(latin1ToUtf8("\xB0\xB1"), "\xC2\xB0\xC2\xB1");
    EXPECT_EQ(latin1ToUtf8("\xE9"), "\xC3\xA9");
}

} // namespace
} // namespace ferrolux
