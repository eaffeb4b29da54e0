#pragma once

// The readable check section printed after the fixed report.

#include "engineering_checks.h"

#include <string>
#include <vector>

namespace ferrolux {

// The readable check section printed after the fixed report (the report tool's --check).
std::vector<std::string> checkReportLines(const EngineeringChecks &checks,
                                          const ThermalInputs &inputs);

} // namespace ferrolux
