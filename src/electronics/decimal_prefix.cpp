#include "decimal_prefix.h"

namespace ferrolux {

// Finds the longest leading decimal number; nothing is found when there is no digit before
// the (optional) exponent.
std::optional<DecimalPrefix> findDecimalPrefix(std::string_view text)
{
    DecimalPrefix prefix;
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        prefix.negative = text[pos] == '-';
        ++pos;
    }
    prefix.numberBegin = pos;
    prefix.integerBegin = pos;
    while (pos < text.size() && isDecimalDigit(text[pos])) {
        ++pos;
    }
    prefix.integerEnd = pos;
    prefix.fractionBegin = pos;
    prefix.fractionEnd = pos;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        prefix.fractionBegin = pos;
        while (pos < text.size() && isDecimalDigit(text[pos])) {
            ++pos;
        }
        prefix.fractionEnd = pos;
    }
    if (prefix.integerEnd == prefix.integerBegin && prefix.fractionEnd == prefix.fractionBegin) {
        return std::nullopt;
    }
    prefix.numberEnd = pos;

    // An exponent counts only when at least one digit follows the letter and its sign.
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponentPos = pos + 1;
        bool exponentNegative = false;
        if (exponentPos < text.size() && (text[exponentPos] == '+' || text[exponentPos] == '-')) {
            exponentNegative = text[exponentPos] == '-';
            ++exponentPos;
        }
        if (exponentPos < text.size() && isDecimalDigit(text[exponentPos])) {
            constexpr long long saturation = 1'000'000'000;
            long long exponent = 0;
            while (exponentPos < text.size() && isDecimalDigit(text[exponentPos])) {
                if (exponent < saturation) {
                    exponent = exponent * 10 + (text[exponentPos] - '0');
                }
                ++exponentPos;
            }
            prefix.exponent = exponentNegative ? -exponent : exponent;
            prefix.numberEnd = exponentPos;
        }
    }
    return prefix;
}

} // namespace ferrolux
