#include "eng_format.h"

#include "number_text.h"
#include "scaled_decimal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace ferrolux {

namespace {

// T(n) = 9.9995 x 10^n for n = -16 .. 12, at index n + 16: the magnitude at which a value
// rounded to four significant digits carries into the next decade.
constexpr std::array<double, 29> thresholds = {
    9.9995e-16,  9.9995e-15, 9.9995e-14, 9.9995e-13, 9.9995e-12, 9.9995e-11, 9.9995e-10, 9.9995e-9,
    9.9995e-8,   9.9995e-7,  9.9995e-6,  9.9995e-5,  0.00099995, 0.0099995,  0.099995,   0.99995,
    9.9995,      99.995,     999.95,     9999.5,     99995.0,    999950.0,   9999500.0,  99995000.0,
    999950000.0, 9.9995e9,   9.9995e10,  9.9995e11,  9.9995e12};
constexpr int lowestThresholdPower = -16;

// 10^d for the decimals d of the mantissa.
constexpr std::array<double, 4> decimalScales = {1.0, 10.0, 100.0, 1000.0};

// 10^(-E) and the exponent field of each exponent group E = -15, -12, ..., 12, at (E + 15) / 3.
constexpr std::array<double, 10> groupScales = {1e15, 1e12,  1e9,  1e6,  1000.0,
                                                1.0,  0.001, 1e-6, 1e-9, 1e-12};
constexpr std::array<std::string_view, 10> exponentFields = {
    "e-15 ", "e-12 ", "e-9  ", "e-6  ", "e-3  ", "     ", "e+3  ", "e+6  ", "e+9  ", "e+12 "};

constexpr std::string_view zeroText = " 0.000     ";
// "+*.***E", the plus-minus sign U+00B1 in UTF-8, "* ".
constexpr std::string_view overflowMark = "+*.***E\xC2\xB1* ";
// Not-a-number never comes from the calculator; it gets its own text of the ordinary width
// (sign position, "NaN", blanks) so that it cannot be mistaken for a value or an overflow.
constexpr std::string_view notANumberText = " NaN       ";

// A formatted value, held without allocating: the longest text is the overflow mark
// (10 characters, 11 bytes).
class FixedText
{
public:
    void append(std::string_view part)
    {
        std::memcpy(bytes_.data() + size_, part.data(), part.size());
        size_ += part.size();
    }
    void replaceFirst(char c) { bytes_[0] = c; }
    std::size_t size() const { return size_; }
    std::string_view view() const { return {bytes_.data(), size_}; }

private:
    std::array<char, 24> bytes_ = {};
    std::size_t size_ = 0;
};

// Exponent group of range n: 3 x floor(n / 3).
constexpr int exponentGroup(int n)
{
    return n >= 0 ? n / 3 * 3 : -((2 - n) / 3) * 3;
}

// Mantissa " d.ddd", " dd.dd", " ddd.d" (or " 1000") of a magnitude in range n.
void appendMantissa(double magnitude, int n, FixedText &text)
{
    const int group = exponentGroup(n);
    const int decimals = 3 - (n - group);
    const double decimalScale = decimalScales[static_cast<std::size_t>(decimals)];
    // The scale factor is formed first, then applied: changing this order changes the
    // rounding of values that lie on a threshold.
    const double scale =
        group == 0 ? decimalScale
                   : decimalScale * groupScales[static_cast<std::size_t>((group + 15) / 3)];
    const double scaled = std::floor(scale * magnitude + 0.5);
    const double mantissa = scaled / decimalScale;

    char digits[scaledDecimalMaxLength];
    const std::size_t length =
        writeScaledDecimal(static_cast<std::uint64_t>(scaled), decimals, digits);
    text.append(" ");
    text.append({digits, length});

    // Pad with zeros to four significant digits; each test sees the text as the one before
    // left it. A mantissa of exactly 1000 matches no padding and stays " 1000".
    if (mantissa >= 1.0 && mantissa <= 9.9995) {
        if (text.size() == 2) {
            text.append(".000");
        }
        if (text.size() == 4) {
            text.append("00");
        }
        if (text.size() == 5) {
            text.append("0");
        }
    } else if (mantissa >= 9.9995 && mantissa <= 99.995) {
        if (text.size() == 3) {
            text.append(".00");
        }
        if (text.size() == 5) {
            text.append("0");
        }
    } else if (mantissa >= 99.995 && mantissa <= 1000.0) {
        if (text.size() == 4) {
            text.append(".0");
        }
    }
    text.append(exponentFields[static_cast<std::size_t>((group + 15) / 3)]);
}

// The formatting step of the real mode.
FixedText formatValue(double value)
{
    FixedText text;
    if (std::isnan(value)) {
        text.append(notANumberText);
        return text;
    }
    const bool negative = value < 0.0;
    const double magnitude = negative ? -value : value;
    if (magnitude == 0.0) {
        text.append(zeroText); // also -0, which is not below zero: no sign
        return text;
    }
    if (magnitude <= thresholds.front()) {
        text.append(zeroText);
    } else {
        // Range n is [T(n-1), T(n)], closed at both ends, the first match winning: the
        // smallest n with magnitude <= T(n).
        const auto upper = std::lower_bound(thresholds.begin() + 1, thresholds.end(), magnitude);
        if (upper == thresholds.end()) {
            text.append(overflowMark); // above T(12), infinity included
        } else {
            const int n = static_cast<int>(upper - thresholds.begin()) + lowestThresholdPower;
            appendMantissa(magnitude, n, text);
        }
    }
    if (negative) {
        text.replaceFirst('-'); // the sign position is a blank or the "+" of the overflow mark
    }
    return text;
}

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

// Characters of a UTF-8 text: a character starts at the first byte and at every byte that is
// not a continuation byte.
std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 0 || !isContinuationByte(text[i])) {
            ++count;
        }
    }
    return count;
}

std::size_t previousCharacterStart(std::string_view text, std::size_t pos)
{
    do {
        --pos;
    } while (pos > 0 && isContinuationByte(text[pos]));
    return pos;
}

// The scan position of the complex mode is a 16-bit signed integer: no longer text is read.
constexpr std::size_t longestComplexText = 32766;

double complexPartValue(std::string_view part)
{
    const std::optional<double> value = textToNumber(part);
    if (!value) {
        throw std::overflow_error("EngFormat: a part of the complex text is too large");
    }
    return *value;
}

} // namespace

ComplexEngText engFormatComplex(const std::string &text)
{
    if (characterCount(text) > longestComplexText) {
        throw std::overflow_error("EngFormat: complex text longer than 32766 characters");
    }
    const std::size_t j = text.find_last_of("jJ");
    if (j == std::string::npos) {
        throw std::invalid_argument("EngFormat: complex text without j");
    }
    // The real part is the text before the three characters that end with the j (the
    // separator " + " is not read, so a sign belongs after the j). The j must therefore be the
    // third character or later.
    const std::string_view whole = text;
    if (characterCount(whole.substr(0, j + 1)) < 3) {
        throw std::invalid_argument("EngFormat: j before the third character of complex text");
    }
    const std::size_t realEnd = previousCharacterStart(whole, previousCharacterStart(whole, j));
    // Both parts are read before anything is written, so a failure leaves the caller's
    // variables as they were.
    const double realValue = complexPartValue(whole.substr(0, realEnd));
    const double imagValue = complexPartValue(whole.substr(j + 1));
    return {std::string(formatValue(realValue).view()), std::string(formatValue(imagValue).view())};
}

std::string engFormat(double value)
{
    return std::string(formatValue(value).view());
}

void EngFormat(double &dValue, std::string &strText, std::string &strReal, std::string &strImag)
{
    // dValue is only read, so the caller sees it unchanged without a restoring copy.
    if (strText.empty()) {
        const FixedText text = formatValue(dValue);
        strText.assign(text.view());
        strReal.assign(text.view());
        return;
    }
    ComplexEngText parts = engFormatComplex(strText);
    // strText keeps the text that was parsed, also when the caller passed the same variable as
    // an output.
    if (&strReal != &strText) {
        strReal = std::move(parts.real);
    }
    if (&strImag != &strText) {
        strImag = std::move(parts.imag);
    }
}

} // namespace ferrolux
