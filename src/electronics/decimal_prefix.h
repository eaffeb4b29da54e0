#pragma once

// The grammar of a decimal number in a field or a record: optional sign, digits with "." as the
// decimal point, optional exponent. Every reader of numbers from text finds them with it.

#include <cstddef>
#include <optional>
#include <string_view>

namespace ferrolux {

constexpr bool isDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The parts of the leading decimal number of a text, as byte offsets into it.
struct DecimalPrefix
{
    bool negative = false;
    std::size_t numberBegin = 0; // first digit or the decimal point, after the sign
    std::size_t numberEnd = 0;   // one past the number, exponent included
    std::size_t integerBegin = 0;
    std::size_t integerEnd = 0;
    std::size_t fractionBegin = 0;
    std::size_t fractionEnd = 0;
    long long exponent = 0; // saturated, only used to tell overflow from underflow
};

// Finds the longest leading decimal number of `text` after leading spaces and tabs; nothing is
// found when there is no digit before the (optional) exponent. An exponent counts only when a
// digit follows the letter and its sign.
std::optional<DecimalPrefix> findDecimalPrefix(std::string_view text);

} // namespace ferrolux
