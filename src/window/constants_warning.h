#pragma once

// The warning for limits taken from a damaged constants file. A missing record or a limit
// that reads as 0 makes every current search end at its first step, which looks like a result
// but is none; the user is told which file and which record, and the file is left as it is.

#include "constants_file.h"

#include <QString>

namespace ferrolux {

// `load` is what reading the file at `path` gave, or nullptr when it could not be opened.
// Empty when all four limits were read and each is a limit by limitRangeProblem.
QString constantsWarning(const QString &path, const ConstantsLoad *load);

} // namespace ferrolux
