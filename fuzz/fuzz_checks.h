#pragma once

// Checks shared by the fuzz targets. A failed check prints what went wrong and aborts, which
// libFuzzer reports as a crash and saves the input that caused it.

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace ferrolux::fuzz {

[[noreturn]] inline void fail(const char *what, std::string_view detail = {})
{
    std::fprintf(stderr, "fuzz check failed: %s [%.*s]\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

inline void check(bool condition, const char *what, std::string_view detail = {})
{
    if (!condition) {
        fail(what, detail);
    }
}

// Whether `text` is one of the texts the engineering formatter can give for a finite value:
// the zero text (signed or not), the overflow mark, or a sign position, a four-digit mantissa
// (" 1000" for the one that rounds up to the next group) and an exponent field.
inline bool isEngText(std::string_view text)
{
    if (text == " 0.000     " || text == "-0.000     " || text == "+*.***E\xC2\xB1* " ||
        text == "-*.***E\xC2\xB1* ") {
        return true;
    }
    if (text.size() < 10 || (text[0] != ' ' && text[0] != '-')) {
        return false;
    }
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::string_view exponent;
    if (text.substr(1, 4) == "1000") {
        exponent = text.substr(5);
    } else {
        if (text.size() != 11) {
            return false;
        }
        const std::string_view mantissa = text.substr(1, 5);
        const std::size_t point = mantissa.find('.');
        if (point == std::string_view::npos || point == 0 || point == 4 || mantissa[0] == '0') {
            return false;
        }
        for (std::size_t i = 0; i < mantissa.size(); ++i) {
            if (i != point && !isDigit(mantissa[i])) {
                return false;
            }
        }
        exponent = text.substr(6);
    }
    for (std::string_view field : {"e-15 ", "e-12 ", "e-9  ", "e-6  ", "e-3  ", "     ", "e+3  ",
                                   "e+6  ", "e+9  ", "e+12 "}) {
        if (exponent == field) {
            return true;
        }
    }
    return false;
}

} // namespace ferrolux::fuzz
