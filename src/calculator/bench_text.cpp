#include "bench_text.h"

#include <cstdarg>
#include <cstdio>

namespace ferrolux {

std::string benchFormat(const char *pattern, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, pattern);
    const int length = std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    if (length < 0) {
        return {};
    }
    std::string text(buffer, std::min(static_cast<std::size_t>(length), sizeof buffer - 1));
    // "-0.00" and the like: a negative figure that rounds to zero reads as zero.
    for (std::size_t minus = text.find('-'); minus != std::string::npos;
         minus = text.find('-', minus + 1)) {
        const std::size_t end =
            std::min(text.find_first_not_of("0123456789.", minus + 1), text.size());
        const bool startsNumber = minus == 0 || text[minus - 1] == ' ' || text[minus - 1] == '(';
        const bool allZero = end > minus + 1 && text.find_first_not_of("0.", minus + 1) >= end;
        if (startsNumber && allZero) {
            text.erase(minus, 1);
        }
    }
    return text;
}

} // namespace ferrolux
