#include "number_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace ferrolux {
namespace {

struct TextCase
{
    const char *text;
    double expected;
};

class TextToNumberTest : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(TextToNumberTest, ReadsLongestLeadingDecimal)
{
    const TextCase &c = GetParam();
    const std::optional<double> value = textToNumber(c.text);
    ASSERT_TRUE(value.has_value()) << '"' << c.text << '"';
    EXPECT_EQ(*value, c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToNumberTest,
    ::testing::Values(
        // Plain numbers, blanks and signs.
        TextCase{"", 0.0}, TextCase{"   ", 0.0}, TextCase{"0", 0.0}, TextCase{"117", 117.0},
        TextCase{"  117", 117.0}, TextCase{"\t 2.5", 2.5}, TextCase{"+4", 4.0},
        TextCase{"-0.47", -0.47}, TextCase{"1.5 ", 1.5}, TextCase{"- 5", 0.0}, TextCase{"+-5", 0.0},
        TextCase{"\n5", 0.0},
        // Decimal point forms.
        TextCase{".5", 0.5}, TextCase{"5.", 5.0}, TextCase{"-.25", -0.25}, TextCase{".", 0.0},
        TextCase{"-.", 0.0}, TextCase{"1.2.3", 1.2}, TextCase{"1,5", 1.0},
        // Exponents, complete and partial.
        TextCase{"1e3", 1000.0}, TextCase{"2.5E-3", 0.0025}, TextCase{"4e+6", 4e6},
        TextCase{"5.e2", 500.0}, TextCase{".5e1", 5.0}, TextCase{"1e", 1.0}, TextCase{"1e+", 1.0},
        TextCase{"1E-x", 1.0}, TextCase{"7e 3", 7.0}, TextCase{"e5", 0.0},
        TextCase{"1e3.5", 1000.0}, TextCase{"1e0003", 1000.0},
        // Trailing text, words and forms that other readers accept.
        TextCase{"12abc", 12.0}, TextCase{"abc", 0.0}, TextCase{"inf", 0.0}, TextCase{"nan", 0.0},
        TextCase{"-infinity", 0.0}, TextCase{"0x1A", 0.0}, TextCase{"1d3", 1.0},
        // Limits of the double range: underflow reads as zero or a subnormal.
        TextCase{"1e-400", 0.0}, TextCase{"-1e-400", 0.0}, TextCase{"1e-320", 1e-320},
        TextCase{"0.0000e999999999999", 0.0},
        TextCase{"1.7976931348623157e308", std::numeric_limits<double>::max()},
        TextCase{"1e-99999999999999999999", 0.0},
        TextCase{"0.000000000000000000000000000000000000000000000000001e-300", 0.0}));

TEST(TextToNumber, KeepsTheSignOfNegativeZero)
{
    EXPECT_TRUE(std::signbit(*textToNumber("-0")));
    EXPECT_FALSE(std::signbit(*textToNumber("+0")));
}

class TextToNumberOverflowTest : public ::testing::TestWithParam<const char *>
{
};

TEST_P(TextToNumberOverflowTest, TooLargeIsAnArithmeticFailure)
{
    EXPECT_FALSE(textToNumber(GetParam()).has_value()) << '"' << GetParam() << '"';
}

INSTANTIATE_TEST_SUITE_P(Table, TextToNumberOverflowTest,
                         ::testing::Values("1e400", "-1e400", " 1.8e308", "1.7976931348623159e308",
                                           "1e99999999999999999999", "100000e304", "0.01e311"));

TEST(TextToNumber, ReadsAVeryLongDigitString)
{
    const std::string text = "0." + std::string(5000, '0') + "1e5000";
    EXPECT_NEAR(*textToNumber(text), 0.1, 1e-16);
    EXPECT_EQ(*textToNumber(std::string(400, '9') + "e-400"), 1.0);
}

struct RoundCase
{
    double value;
    std::optional<std::int16_t> expected;
};

class RoundToInt16Test : public ::testing::TestWithParam<RoundCase>
{
};

TEST_P(RoundToInt16Test, RoundsHalfToEvenWithinRange)
{
    const RoundCase &c = GetParam();
    EXPECT_EQ(roundToInt16(c.value), c.expected) << c.value;
}

constexpr double inf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Table, RoundToInt16Test,
    ::testing::Values(RoundCase{0.0, 0}, RoundCase{-0.0, 0}, RoundCase{0.4, 0}, RoundCase{0.5, 0},
                      RoundCase{0.6, 1}, RoundCase{1.5, 2}, RoundCase{2.5, 2}, RoundCase{3.5, 4},
                      RoundCase{-0.5, 0}, RoundCase{-1.5, -2}, RoundCase{-2.5, -2},
                      RoundCase{-2.6, -3}, RoundCase{2.4999999999999996, 2},
                      RoundCase{0.49999999999999994, 0}, RoundCase{32767.0, 32767},
                      RoundCase{32767.4, 32767}, RoundCase{32767.5, std::nullopt},
                      RoundCase{32768.0, std::nullopt}, RoundCase{-32768.0, -32768},
                      RoundCase{-32768.5, -32768}, RoundCase{-32768.6, std::nullopt},
                      RoundCase{-32769.0, std::nullopt}, RoundCase{1e300, std::nullopt},
                      RoundCase{inf, std::nullopt}, RoundCase{-inf, std::nullopt},
                      RoundCase{std::numeric_limits<double>::quiet_NaN(), std::nullopt}));

struct WholeCase
{
    const char *text;
    std::optional<std::int16_t> expected;
};

class TextToWholeNumberTest : public ::testing::TestWithParam<WholeCase>
{
};

TEST_P(TextToWholeNumberTest, ReadsThenRounds)
{
    const WholeCase &c = GetParam();
    EXPECT_EQ(textToWholeNumber(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToWholeNumberTest,
    ::testing::Values(WholeCase{"", 0}, WholeCase{"3", 3}, WholeCase{" 2.5", 2},
                      WholeCase{"3.5", 4}, WholeCase{"-0.5", 0}, WholeCase{"6x", 6},
                      WholeCase{"1e1", 10}, WholeCase{"-1", -1}, WholeCase{"32767", 32767},
                      WholeCase{"40000", std::nullopt}, WholeCase{"-32769", std::nullopt},
                      WholeCase{"1e400", std::nullopt}));

} // namespace
} // namespace ferrolux
