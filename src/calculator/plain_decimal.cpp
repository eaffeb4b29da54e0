#include "plain_decimal.h"

#include <charconv>
#include <cmath>

namespace ferrolux {

std::optional<double> plainDecimal(std::string_view text)
{
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    int digitCount = 0;
    int points = 0;
    for (const char ch : digits) {
        if (ch >= '0' && ch <= '9') {
            ++digitCount;
        } else if (ch == '.') {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digitCount == 0 || points > 1) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::string plainDecimalText(double value)
{
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc()) {
        return "0";
    }
    return std::string(buffer, result.ptr);
}

} // namespace ferrolux
