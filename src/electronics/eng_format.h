#pragma once

// Engineering-notation formatter: a fixed-width text with a four-digit mantissa and an
// exponent that is a multiple of 3 from -15 to +12. Texts are UTF-8 ("±" is two bytes).

#include <string>

namespace ferrolux {

// The by-reference procedure. With `strText` empty it formats `dValue` (real mode) into
// `strText` and `strReal` and leaves `strImag` alone. With `strText` non-empty it parses
// "real + jimag" (complex mode), formats both parts into `strReal` and `strImag` and leaves
// `strText` unchanged. `dValue` is the same after the call as before it.
// Complex mode throws std::invalid_argument when the text has no j/J at its third character
// or later, and std::overflow_error for a text longer than 32766 characters or a part whose
// number is too large for a double; in every case nothing has been changed. Positions and
// lengths of the complex text are counted in UTF-8 characters.
// NaN gives the 11-character text " NaN       "; +-infinity gives the overflow mark.
void EngFormat(double &dValue, std::string &strText, std::string &strReal, std::string &strImag);

// Real mode as a plain function: " 1.235e-3  ", " 0.000     ", "+*.***E±* " and so on.
std::string engFormat(double value);

struct ComplexEngText
{
    std::string real;
    std::string imag;
};

// Complex mode as a plain function; throws as EngFormat does.
ComplexEngText engFormatComplex(const std::string &text);

} // namespace ferrolux
