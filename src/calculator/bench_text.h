#pragma once

// Formatting shared by the check-section lines of the measurements, the lamination and the VA
// budget: printf into a string, with a number that rounds to zero never printed as "-0".

#include <string>

namespace ferrolux {

inline constexpr const char *kBenchDegreeC = "\xC2\xB0"
                                             "C";

__attribute__((format(printf, 1, 2))) std::string benchFormat(const char *pattern, ...);

} // namespace ferrolux
