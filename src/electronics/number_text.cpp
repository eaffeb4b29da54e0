#include "number_text.h"

#include "decimal_prefix.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace ferrolux {

namespace {

// Decimal order of magnitude of the first non-zero digit (0 for 1..9.99, -1 for 0.1..0.99),
// used only when the number is out of the double range, so it is never all zeros.
long long decimalOrder(std::string_view text, const DecimalPrefix &prefix)
{
    for (std::size_t i = prefix.integerBegin; i < prefix.integerEnd; ++i) {
        if (text[i] != '0') {
            return static_cast<long long>(prefix.integerEnd - i) - 1 + prefix.exponent;
        }
    }
    for (std::size_t i = prefix.fractionBegin; i < prefix.fractionEnd; ++i) {
        if (text[i] != '0') {
            return -static_cast<long long>(i - prefix.fractionBegin) - 1 + prefix.exponent;
        }
    }
    return prefix.exponent;
}

} // namespace

std::optional<double> textToNumber(std::string_view text)
{
    const std::optional<DecimalPrefix> prefix = findDecimalPrefix(text);
    if (!prefix) {
        return 0.0;
    }
    // std::from_chars is locale-independent and correctly rounded. The sign is applied here
    // because from_chars does not accept a leading "+"; the prefix holds no "inf", "nan" or hex
    // form, so from_chars reads exactly the number that was found.
    const char *first = text.data() + prefix->numberBegin;
    const char *last = text.data() + prefix->numberEnd;
    double magnitude = 0.0;
    const std::from_chars_result result =
        std::from_chars(first, last, magnitude, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        if (decimalOrder(text, *prefix) > 0) {
            return std::nullopt; // too large for a double
        }
        magnitude = 0.0; // below the smallest subnormal
    } else if (result.ec != std::errc{} || result.ptr != last) {
        return 0.0; // cannot happen for a prefix found above; read it as no number
    }
    return prefix->negative ? -magnitude : magnitude;
}

double roundHalfToEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below; // exact for every finite double
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        return below + 1.0;
    }
    return below;
}

std::optional<std::int16_t> roundToInt16(double value)
{
    // Also rejects NaN and the infinities before any rounding arithmetic.
    if (!(value >= -32769.0 && value <= 32768.0)) {
        return std::nullopt;
    }
    const double rounded = roundHalfToEven(value);
    if (rounded < -32768.0 || rounded > 32767.0) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int16_t> textToWholeNumber(std::string_view text)
{
    const std::optional<double> value = textToNumber(text);
    if (!value) {
        return std::nullopt;
    }
    return roundToInt16(*value);
}

} // namespace ferrolux
