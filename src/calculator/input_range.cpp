#include "input_range.h"

#include "plain_decimal.h"

namespace ferrolux {

std::optional<double> numberInRange(std::string_view text, InputRange range)
{
    const std::optional<double> value = plainDecimal(text);
    if (value && range.contains(*value)) {
        return value;
    }
    return std::nullopt;
}

} // namespace ferrolux
