#pragma once

// The text-to-number rule used for every number taken from a field or a file record:
// the value of the longest leading part of the text that reads as a decimal number.

#include <cstdint>
#include <optional>
#include <string_view>

namespace ferrolux {

// Value of the longest leading decimal prefix of `text`: leading blanks (spaces and tabs)
// skipped, optional sign, digits with "." as the decimal point whatever the locale, optional
// exponent ("e-3", "E+6"). Returns 0 when the text has no such prefix (the empty text too).
// Returns nullopt when the prefix names a value too large for a double: that is an arithmetic
// failure, never infinity. A prefix too small for a double reads as 0 (or a subnormal).
std::optional<double> textToNumber(std::string_view text);

// Rounds to the nearest whole number, a half going to the even neighbour, without depending on
// the floating-point environment's rounding mode. NaN and the infinities come back unchanged.
double roundHalfToEven(double value);

// roundHalfToEven, returned as a
// 16-bit signed integer; nullopt when the result lies outside -32768..32767 or value is NaN.
std::optional<std::int16_t> roundToInt16(double value);

// textToNumber followed by roundToInt16; nullopt on either failure.
std::optional<std::int16_t> textToWholeNumber(std::string_view text);

} // namespace ferrolux
