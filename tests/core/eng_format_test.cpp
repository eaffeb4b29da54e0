#include "eng_format.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <tuple>

namespace ferrolux {
namespace {

// Width as the user sees it: UTF-8 continuation bytes are not characters.
std::size_t characterWidth(const std::string &text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

TEST(EngFormat, RealModeEdgeCases)
{
    // Value, text, width in characters; then padding of each mantissa width, the carry into
    // the next decade, and the exponent group the list above leaves out.
    const std::tuple<double, std::string, std::size_t> cases[] = {
        {0.0, " 0.000     ", 11},         {-0.0, " 0.000     ", 11},
        {5e-16, " 0.000     ", 11},       {-5e-16, "-0.000     ", 11},
        {9.9995e-16, " 0.000     ", 11},  {1e-15, " 1.000e-15 ", 11},
        {2e-13, " 200.0e-15 ", 11},       {47e-12, " 47.00e-12 ", 11},
        {3.3e-9, " 3.300e-9  ", 11},      {-2.5e-7, "-250.0e-9  ", 11},
        {0.000999, " 999.0e-6  ", 11},    {0.0012346, " 1.235e-3  ", 11},
        {0.75, " 750.0e-3  ", 11},        {1.0, " 1.000     ", 11},
        {3.14159, " 3.142     ", 11},     {12.5, " 12.50     ", 11},
        {117.0, " 117.0     ", 11},       {-999.4, "-999.4     ", 11},
        {999.95, " 1000     ", 10},       {999.96, " 1.000e+3  ", 11},
        {12340.0, " 12.34e+3  ", 11},     {999950.0, " 1000e+3  ", 10},
        {1234567.0, " 1.235e+6  ", 11},   {1e12, " 1.000e+12 ", 11},
        {9.9994e12, " 9.999e+12 ", 11},   {1e13, "+*.***E\xC2\xB1* ", 10},
        {-1e13, "-*.***E\xC2\xB1* ", 10}, {1.05, " 1.050     ", 11},
        {20.0, " 20.00     ", 11},        {9.9996, " 10.00     ", 11},
        {5e9, " 5.000e+9  ", 11},         {2.5e10, " 25.00e+9  ", 11},
        {5e11, " 500.0e+9  ", 11}};
    for (const auto &[value, expected, width] : cases) {
        double dValue = value;
        std::string text, real = "old real", imag = "old imag";
        EngFormat(dValue, text, real, imag);
        EXPECT_EQ(real, expected) << value;
        EXPECT_EQ(text, expected) << value;
        EXPECT_EQ(imag, "old imag") << value;
        EXPECT_TRUE(dValue == value && std::signbit(dValue) == std::signbit(value)) << value;
        EXPECT_EQ(characterWidth(real), width) << '"' << real << '"';
    }
}

TEST(EngFormat, ComplexModeFormatsBothPartsOrChangesNothing)
{
    // The characters before the j are not read; the last j counts; positions are counted in
    // characters (± is one). A real part "!" stands for std::invalid_argument, "!!" for
    // std::overflow_error.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"1.5 + j2.25", " 1.500     ", " 2.250     "},
        {"100 + J-0.47", " 100.0     ", "-470.0e-3  "},
        {"4 - j3", " 4.000     ", " 3.000     "},
        {"1 + j2 + j3", " 1.000     ", " 3.000     "},
        {"12\xC2\xB1j3", " 1.000     ", " 3.000     "},
        {"1.5 + 2.25", "!", ""},
        {"j5 + 3", "!", ""},
        {"\xC2\xB1j2", "!", ""},
        {"1e400 + j1", "!!", ""}};
    for (const auto &[input, expectedReal, expectedImag] : cases) {
        double value = 42.5;
        std::string text = input, real = "old real", imag = "old imag";
        if (expectedReal == "!") {
            EXPECT_THROW(EngFormat(value, text, real, imag), std::invalid_argument);
        } else if (expectedReal == "!!") {
            EXPECT_THROW(EngFormat(value, text, real, imag), std::overflow_error);
        } else {
            EngFormat(value, text, real, imag);
        }
        const bool failed = expectedReal[0] == '!';
        EXPECT_EQ(real, failed ? "old real" : expectedReal) << input;
        EXPECT_EQ(imag, failed ? "old imag" : expectedImag) << input;
        EXPECT_TRUE(text == input && value == 42.5) << input;
    }
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
