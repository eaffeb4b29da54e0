#pragma once

// Plain decimal numbers for the engineering checks' inputs: an optional sign, digits and at
// most one decimal point, nothing else (no exponent, no blanks, no "inf" or "nan").

#include <optional>
#include <string>
#include <string_view>

namespace ferrolux {

std::optional<double> plainDecimal(std::string_view text);

// The shortest plain decimal that reads back as `value` ("40", "0.9", "-12.5").
std::string plainDecimalText(double value);

} // namespace ferrolux
