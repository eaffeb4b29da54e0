#include "line_format.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>

namespace ferrolux {

std::string formatLine(const char *pattern, ...)
{
    va_list args;
    va_start(args, pattern);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, pattern, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), pattern, again);
        text.resize(static_cast<std::size_t>(length));
    }
    va_end(again);
    for (std::size_t minus = text.find('-'); minus != std::string::npos;
         minus = text.find('-', minus + 1)) {
        const std::size_t end =
            std::min(text.find_first_not_of("0123456789.", minus + 1), text.size());
        const bool startsNumber =
            minus == 0 || !std::isalnum(static_cast<unsigned char>(text[minus - 1]));
        const bool allZero = end > minus + 1 && text.find_first_not_of("0.", minus + 1) >= end;
        const bool exponent = end < text.size() && (text[end] == 'e' || text[end] == 'E');
        if (startsNumber && allZero && !exponent) {
            text.erase(minus, 1);
        }
    }
    return text;
}

} // namespace ferrolux
