#pragma once

// The report tool's test of a constants file: each of the four limits must be a finite number
// and a limit by the core's one rule (limitRangeProblem: above 0, below 100). The calculator
// reads such a file leniently (a text that is no number reads 0); a script that runs the tool must
// hear about it instead of getting a report computed from made-up limits.

#include <string>
#include <string_view>

namespace ferrolux {

// Empty when the four value records hold acceptable limits; otherwise "record N: ..." naming
// the first record that does not. Only reads the file's eight records.
std::string constantsLimitsProblem(std::string_view fileBytes);

} // namespace ferrolux
