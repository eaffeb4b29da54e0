#include "text_encoding.h"

#include <gtest/gtest.h>

namespace ferrolux {
namespace {

TEST(TextEncoding, Utf8ToLatin1ReplacesWhatLatin1CannotHold)
{
    const std::pair<std::string, std::string> cases[] = {
        {"117 V, 2.05", "117 V, 2.05"},
        {"\xC2\xB0 \xC2\xB1 \xC3\xBF", "\xB0 \xB1 \xFF"}, // degree, plus-minus, last Latin-1
        {"5\xE2\x82\xAC", "5?"},                          // euro sign
        {"a\xF0\x9F\x94\x8Cz", "a?z"},                    // four-byte character
        {"x\xC3", "x?"},                                  // truncated at the end
        {"\xE2\x82Q", "?Q"},                              // truncated before ASCII
        {"\x80q", "?q"},                                  // lone continuation byte
        {std::string("\xC0\x80", 2), "??"},               // overlong NUL
        {"\xED\xA0\x80", "???"},                          // UTF-16 surrogate
        {"\xF4\x90\x80\x80", "????"},                     // above U+10FFFF
    };
    for (const auto &[utf8, latin1] : cases) {
        EXPECT_EQ(utf8ToLatin1(utf8), latin1) << utf8;
    }
}

TEST(TextEncoding, EveryLatin1ByteRoundTrips)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    const std::string utf8 = latin1ToUtf8(all);
    EXPECT_EQ(utf8.size(), 128u + 2u * 128u);
    EXPECT_EQ(utf8.substr(2 * 0xB0 - 128, 2), "\xC2\xB0");
    EXPECT_EQ(utf8ToLatin1(utf8), all);
}

} // namespace
} // namespace ferrolux
