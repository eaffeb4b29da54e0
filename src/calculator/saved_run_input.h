#pragma once

// The analysis inputs a saved run gives once it is loaded into the window.

#include "analysis.h"
#include "constants_file.h"
#include "last_run_file.h"

namespace ferrolux {

// Type code 4 is the potted construction; only the checked state of the loading check box (1)
// corrects for loading, the grayed state (2) counts as unchecked. The analysis uses the
// open-core limits for every construction.
AnalysisInput analysisInputFrom(const LastRun &run, const DissipationLimits &limits);

} // namespace ferrolux
