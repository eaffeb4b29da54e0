#pragma once

// Formatting shared by the check section's lines (the thermal check, headroom and mains sweep,
// the measurements, the lamination and the VA budget): printf into a string, with a number that
// rounds to zero never printed as "-0".

#include <string>

namespace ferrolux {

inline constexpr const char *kDegreeC = "\xC2\xB0"
                                        "C";
inline constexpr const char *kDegreeF = "\xC2\xB0"
                                        "F";

// The whole line, however long. A "-" that starts a number (at the start of the line or after
// anything but a letter or digit) is dropped when only zeros and a point follow it, so -0.04
// printed with one decimal reads "0.0"; "1e-05", "x-0" and "-0.5" keep theirs. The text of a
// %s argument is read the same way, so user text is better added outside the pattern.
__attribute__((format(printf, 1, 2))) std::string formatLine(const char *pattern, ...);

} // namespace ferrolux
