// Numbers in and out: the leading decimal read from a field's text, whole numbers rounded half
// to even, and the engineering format of the report (real and complex).

#include "eng_format.h"
#include "number_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

namespace ferrolux {
namespace {

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

} // namespace
} // namespace ferrolux
