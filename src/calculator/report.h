#pragma once

// The results report: 5·n + 10 fixed-layout lines, every value through engFormat.

#include "analysis.h"

#include <string>
#include <vector>

namespace ferrolux {

std::vector<std::string> buildReport(const AnalysisResult &result);

} // namespace ferrolux
