#pragma once

// Shortest decimal text of a scaled integer k / 10^decimals, built from the digits of k.
// The engineering formatter writes its mantissa this way instead of converting the double
// k / 10^decimals: for k below 10^15 the double nearest that quotient reads back only from the
// exact decimal, so its shortest round-trip text is that decimal without trailing zeros.

#include <cstddef>
#include <cstdint>

namespace ferrolux {

// Longest text written: 20 digits of k, a point and a leading "0" (decimals at most 18).
inline constexpr std::size_t scaledDecimalMaxLength = 22;

// Writes k / 10^decimals to `out` as plain decimal digits with "." as the point: no exponent,
// no trailing zeros in the fraction, no point when the fraction is empty, a single "0" before
// the point of a value below 1. Returns the number of characters written.
// Requires decimals <= 18.
constexpr std::size_t writeScaledDecimal(std::uint64_t k, int decimals, char *out)
{
    char reversed[20] = {}; // reversed[i] is the digit of 10^i
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + k % 10);
        k /= 10;
    } while (k != 0);
    const auto digitAt = [&](int power) { return power < count ? reversed[power] : '0'; };

    int firstKept = 0; // lowest power of ten still written in the fraction
    while (firstKept < decimals && digitAt(firstKept) == '0') {
        ++firstKept;
    }

    std::size_t length = 0;
    if (count <= decimals) {
        out[length++] = '0';
    } else {
        for (int power = count - 1; power >= decimals; --power) {
            out[length++] = reversed[power];
        }
    }
    if (firstKept < decimals) {
        out[length++] = '.';
        for (int power = decimals - 1; power >= firstKept; --power) {
            out[length++] = digitAt(power);
        }
    }
    return length;
}

} // namespace ferrolux
