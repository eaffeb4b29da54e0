#include "number_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
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

} // namespace
} // namespace ferrolux
