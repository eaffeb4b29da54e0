// The text-to-number rule on arbitrary text, checked against the C library's correctly rounded
// strtod on the decimal prefix that the rule describes, and the whole-number rounding checked
// against round-half-to-even in the default floating-point environment.

#include "fuzz_checks.h"
#include "number_text.h"

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using ferrolux::fuzz::check;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The longest leading decimal number after blanks: sign, digits, ".", digits, and an exponent
// only when a digit follows its letter and sign. Empty when there is no digit in the mantissa.
std::string decimalPrefix(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    const std::size_t begin = pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    std::size_t digits = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        ++digits;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        for (; pos < text.size() && isDigit(text[pos]); ++pos) {
            ++digits;
        }
    }
    if (digits == 0) {
        return {};
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        if (exponent < text.size() && isDigit(text[exponent])) {
            while (exponent < text.size() && isDigit(text[exponent])) {
                ++exponent;
            }
            pos = exponent;
        }
    }
    return std::string(text.substr(begin, pos - begin));
}

void checkNumber(std::string_view text)
{
    const std::optional<double> value = ferrolux::textToNumber(text);
    const std::string prefix = decimalPrefix(text);
    if (prefix.empty()) {
        check(value.has_value() && *value == 0.0, "text without a number must read 0", text);
        return;
    }
    errno = 0;
    const double expected = std::strtod(prefix.c_str(), nullptr);
    const bool outOfRange = errno == ERANGE;
    if (outOfRange && std::isinf(expected)) {
        check(!value.has_value(), "a number too large for a double must fail", text);
        return;
    }
    check(value.has_value(), "a number within range failed", text);
    check(std::isfinite(*value), "a number read as infinite or NaN", text);
    if (outOfRange) {
        // Underflow: zero or the subnormal the C library gives.
        check(*value == 0.0 || *value == expected, "underflow read wrongly", text);
        return;
    }
    check(*value == expected, "value differs from strtod", text);
    check(std::signbit(*value) == std::signbit(expected), "sign differs from strtod", text);
}

void checkWholeNumber(std::string_view text)
{
    const std::optional<std::int16_t> whole = ferrolux::textToWholeNumber(text);
    const std::optional<double> value = ferrolux::textToNumber(text);
    if (!value) {
        check(!whole.has_value(), "whole number of an overflowing text", text);
        return;
    }
    // nearbyint rounds half to even in the default rounding mode.
    const double rounded = std::nearbyint(*value);
    if (rounded < -32768.0 || rounded > 32767.0) {
        check(!whole.has_value(), "whole number outside 16 bits accepted", text);
        return;
    }
    check(whole.has_value() && *whole == static_cast<std::int16_t>(rounded),
          "whole number differs from round-half-to-even", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    checkNumber(text);
    checkWholeNumber(text);
    return 0;
}
