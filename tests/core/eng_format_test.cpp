#include "eng_format.h"
#include "scaled_decimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ferrolux {
namespace {

// Width as the user sees it: UTF-8 continuation bytes are not characters.
std::size_t characterWidth(std::string_view text)
{
    std::size_t width = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) {
            ++width;
        }
    }
    return width;
}

struct RealCase
{
    double value;
    const char *text;
    std::size_t width;
};

class EngFormatRealTest : public ::testing::TestWithParam<RealCase>
{
};

TEST_P(EngFormatRealTest, FormatsIntoTextAndRealAndKeepsTheRest)
{
    const RealCase &c = GetParam();
    double value = c.value;
    std::string text;
    std::string real = "old real";
    std::string imag = "old imag";
    EngFormat(value, text, real, imag);
    EXPECT_EQ(real, c.text) << c.value;
    EXPECT_EQ(text, c.text) << c.value;
    EXPECT_EQ(imag, "old imag");
    EXPECT_EQ(std::signbit(value), std::signbit(c.value));
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(characterWidth(real), c.width) << '"' << real << '"';
    EXPECT_EQ(engFormat(c.value), c.text) << c.value;
}

constexpr double infinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, EngFormatRealTest,
    ::testing::Values(RealCase{0.0, " 0.000     ", 11}, RealCase{-0.0, " 0.000     ", 11},
                      RealCase{5e-16, " 0.000     ", 11}, RealCase{-5e-16, "-0.000     ", 11},
                      RealCase{9.9995e-16, " 0.000     ", 11}, RealCase{1e-15, " 1.000e-15 ", 11},
                      RealCase{2e-13, " 200.0e-15 ", 11}, RealCase{47e-12, " 47.00e-12 ", 11},
                      RealCase{3.3e-9, " 3.300e-9  ", 11}, RealCase{-2.5e-7, "-250.0e-9  ", 11},
                      RealCase{0.000999, " 999.0e-6  ", 11}, RealCase{0.0012346, " 1.235e-3  ", 11},
                      RealCase{0.75, " 750.0e-3  ", 11}, RealCase{1.0, " 1.000     ", 11},
                      RealCase{3.14159, " 3.142     ", 11}, RealCase{12.5, " 12.50     ", 11},
                      RealCase{117.0, " 117.0     ", 11}, RealCase{-999.4, "-999.4     ", 11},
                      RealCase{999.95, " 1000     ", 10}, RealCase{999.96, " 1.000e+3  ", 11},
                      RealCase{12340.0, " 12.34e+3  ", 11}, RealCase{999950.0, " 1000e+3  ", 10},
                      RealCase{1234567.0, " 1.235e+6  ", 11}, RealCase{1e12, " 1.000e+12 ", 11},
                      RealCase{9.9994e12, " 9.999e+12 ", 11},
                      RealCase{1e13, "+*.***E\xC2\xB1* ", 10},
                      RealCase{-1e13, "-*.***E\xC2\xB1* ", 10}));

INSTANTIATE_TEST_SUITE_P(
    MoreValues, EngFormatRealTest,
    ::testing::Values(
        // Zero padding of each mantissa width.
        RealCase{1.5, " 1.500     ", 11}, RealCase{1.05, " 1.050     ", 11},
        RealCase{20.0, " 20.00     ", 11}, RealCase{20.5, " 20.50     ", 11},
        RealCase{300.0, " 300.0     ", 11}, RealCase{-0.002, "-2.000e-3  ", 11},
        // Rounding half up on the fourth digit, and the carry into the next decade.
        RealCase{1.0005, " 1.001     ", 11}, RealCase{9.9996, " 10.00     ", 11},
        RealCase{99.996, " 100.0     ", 11}, RealCase{5e12, " 5.000e+12 ", 11},
        // Limits of the double range.
        RealCase{std::numeric_limits<double>::denorm_min(), " 0.000     ", 11},
        RealCase{-std::numeric_limits<double>::denorm_min(), "-0.000     ", 11},
        RealCase{infinity, "+*.***E\xC2\xB1* ", 10}, RealCase{-infinity, "-*.***E\xC2\xB1* ", 10}));

TEST(EngFormatReal, NotANumberHasItsOwnTextOfOrdinaryWidth)
{
    for (const double nan :
         {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()}) {
        double value = nan;
        std::string text;
        std::string real;
        std::string imag = "kept";
        EngFormat(value, text, real, imag);
        EXPECT_EQ(real, " NaN       ");
        EXPECT_EQ(text, real);
        EXPECT_EQ(imag, "kept");
        EXPECT_TRUE(std::isnan(value));
        EXPECT_EQ(std::signbit(value), std::signbit(nan));
    }
}

constexpr std::array<std::string_view, 10> exponentFields = {
    "e-15 ", "e-12 ", "e-9  ", "e-6  ", "e-3  ", "     ", "e+3  ", "e+6  ", "e+9  ", "e+12 "};

// Sweeps magnitudes over the whole shown range and checks each text against its value: the
// layout, four significant digits, and that it reads back to the value within half a unit of
// the last digit.
TEST(EngFormatReal, EveryShownValueReadsBackWithinHalfADigit)
{
    int checked = 0;
    for (double magnitude = 1.1e-15; magnitude < 9.9e12; magnitude *= 1.0137) {
        for (const double value : {magnitude, -magnitude}) {
            const std::string text = engFormat(value);
            ASSERT_EQ(text.size(), 11U) << value;
            EXPECT_EQ(text[0], value < 0 ? '-' : ' ') << value;
            const std::string_view mantissa = std::string_view(text).substr(1, 5);
            const std::string_view field = std::string_view(text).substr(6);
            const auto group = std::find(exponentFields.begin(), exponentFields.end(), field);
            ASSERT_NE(group, exponentFields.end()) << '"' << text << '"';
            EXPECT_NE(mantissa[0], '0') << '"' << text << '"';
            EXPECT_EQ(mantissa.find_first_not_of("0123456789."), std::string_view::npos);
            const std::size_t point = mantissa.find('.');
            ASSERT_NE(point, std::string_view::npos) << '"' << text << '"';
            ASSERT_GE(point, 1U);
            ASSERT_LE(point, 3U);

            double shown = 0.0;
            std::from_chars(mantissa.data(), mantissa.data() + mantissa.size(), shown);
            const int exponent = static_cast<int>(group - exponentFields.begin()) * 3 - 15;
            const double lastDigit = std::pow(10.0, exponent - static_cast<int>(4 - point));
            EXPECT_LE(std::abs(shown * std::pow(10.0, exponent) - magnitude),
                      0.5 * lastDigit * (1.0 + 1e-9))
                << '"' << text << "\" for " << value;
            ++checked;
        }
    }
    EXPECT_GT(checked, 5000);
}

// The mantissa digits come from the rounded integer; they must be exactly the shortest
// round-trip text of the double quotient that they stand for.
TEST(ScaledDecimal, MatchesShortestRoundTripOfTheQuotient)
{
    constexpr std::array<double, 4> powers = {1.0, 10.0, 100.0, 1000.0};
    for (int decimals = 0; decimals <= 3; ++decimals) {
        for (std::uint64_t k = 0; k <= 10001; ++k) {
            char expected[64];
            const double quotient =
                static_cast<double>(k) / powers[static_cast<std::size_t>(decimals)];
            const auto end = std::to_chars(expected, expected + sizeof expected, quotient,
                                           std::chars_format::fixed);
            char actual[scaledDecimalMaxLength];
            const std::size_t length = writeScaledDecimal(k, decimals, actual);
            ASSERT_EQ(std::string_view(actual, length), std::string_view(expected, end.ptr))
                << k << " / 10^" << decimals;
        }
    }
}

struct ComplexCase
{
    const char *text;
    const char *real;
    const char *imag;
};

class EngFormatComplexTest : public ::testing::TestWithParam<ComplexCase>
{
};

TEST_P(EngFormatComplexTest, FormatsBothPartsAndKeepsTextAndValue)
{
    const ComplexCase &c = GetParam();
    double value = 42.5;
    std::string text = c.text;
    std::string real = "old real";
    std::string imag = "old imag";
    EngFormat(value, text, real, imag);
    EXPECT_EQ(real, c.real) << '"' << c.text << '"';
    EXPECT_EQ(imag, c.imag) << '"' << c.text << '"';
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(value, 42.5);

    const ComplexEngText parts = engFormatComplex(c.text);
    EXPECT_EQ(parts.real, c.real);
    EXPECT_EQ(parts.imag, c.imag);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EngFormatComplexTest,
    ::testing::Values(ComplexCase{"1.5 + j2.25", " 1.500     ", " 2.250     "},
                      ComplexCase{"100 + J-0.47", " 100.0     ", "-470.0e-3  "},
                      ComplexCase{"4 - j3", " 4.000     ", " 3.000     "},
                      // The j at the third character: an empty real text reads as zero.
                      ComplexCase{"ab j5", " 0.000     ", " 5.000     "},
                      ComplexCase{"  j", " 0.000     ", " 0.000     "},
                      // The last j counts; its imaginary text is read by the text-to-number rule.
                      ComplexCase{"1 + j2 + j3", " 1.000     ", " 3.000     "},
                      ComplexCase{"-2e3 + jx", "-2.000e+3  ", " 0.000     "},
                      ComplexCase{"1e20 + j1e-20", "+*.***E\xC2\xB1* ", " 0.000     "},
                      // Positions are counted in characters: "\xC2\xB1" is one character.
                      ComplexCase{"12\xC2\xB1j3", " 1.000     ", " 3.000     "},
                      ComplexCase{"7 \xC2\xB1 j8", " 7.000     ", " 8.000     "}));

struct FailingCase
{
    std::string text;
    bool overflow; // std::overflow_error, otherwise std::invalid_argument
};

class EngFormatComplexFailureTest : public ::testing::TestWithParam<FailingCase>
{
};

TEST_P(EngFormatComplexFailureTest, ThrowsAndChangesNothing)
{
    const FailingCase &c = GetParam();
    double value = -3.5;
    std::string text = c.text;
    std::string real = "old real";
    std::string imag = "old imag";
    if (c.overflow) {
        EXPECT_THROW(EngFormat(value, text, real, imag), std::overflow_error);
        EXPECT_THROW(engFormatComplex(c.text), std::overflow_error);
    } else {
        EXPECT_THROW(EngFormat(value, text, real, imag), std::invalid_argument);
        EXPECT_THROW(engFormatComplex(c.text), std::invalid_argument);
    }
    EXPECT_EQ(value, -3.5);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(real, "old real");
    EXPECT_EQ(imag, "old imag");
}

INSTANTIATE_TEST_SUITE_P(Table, EngFormatComplexFailureTest,
                         ::testing::Values(FailingCase{"1.5 + 2.25", false},
                                           FailingCase{"x", false}, FailingCase{"j", false},
                                           FailingCase{"j5 + 3", false}, FailingCase{"1j", false},
                                           FailingCase{"\xC2\xB1j2", false},
                                           FailingCase{std::string(32767, ' '), true},
                                           FailingCase{std::string(32761, ' ') + "1 + j2", true},
                                           FailingCase{"1e400 + j1", true},
                                           FailingCase{"1 + j-1e400", true}));

TEST(EngFormatComplex, LongestAcceptedTextIsCountedInCharacters)
{
    // 32766 characters, more bytes than that: still read.
    std::string text = "2 + j3";
    while (characterWidth(text) < 32766) {
        text += "\xC2\xB1";
    }
    ASSERT_GT(text.size(), 32766U);
    EXPECT_EQ(engFormatComplex(text).real, " 2.000     ");
    EXPECT_EQ(engFormatComplex(std::string(32760, ' ') + "1 + j2").imag, " 2.000     ");
}

TEST(EngFormatComplex, TextPassedAlsoAsOutputIsKept)
{
    double value = 1.0;
    std::string text = "1.5 + j2.25";
    std::string imag;
    EngFormat(value, text, text, imag);
    EXPECT_EQ(text, "1.5 + j2.25");
    EXPECT_EQ(imag, " 2.250     ");
}

} // namespace
} // namespace ferrolux
