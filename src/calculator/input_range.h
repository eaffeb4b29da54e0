#pragma once

// The numbers the engineering checks take (ambient, hot-spot allowance, core loss, emissivity,
// a DC load current) and the one rule that reads them, wherever they come from: the check
// panel, the file's extension block and the report tool's options.

#include <optional>
#include <string_view>

namespace ferrolux {

struct InputRange
{
    double min;
    double max;
    bool contains(double value) const { return value >= min && value <= max; }
};
inline constexpr InputRange kAmbientRange{-50, 100};
inline constexpr InputRange kHotSpotAllowanceRange{0, 50};
inline constexpr InputRange kCoreLossRange{0, 10000};
inline constexpr InputRange kEmissivityRange{0.01, 1};

// The text as a plain decimal (plainDecimal: an optional sign, digits and at most one point,
// nothing around them) inside `range`; nullopt otherwise. Values are shown back with
// plainDecimalText, so whatever is shown reads back as the same value.
std::optional<double> numberInRange(std::string_view text, InputRange range);

} // namespace ferrolux
