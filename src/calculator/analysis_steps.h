#pragma once

// Steps 8 to 12 of the analysis on a result whose Vp, Rp and per-secondary Vs, Is and Rs are
// set: the voltage under load, each winding's dissipation, output and percent dissipation, the
// primary power, current, dissipation and percent dissipation, and the total dissipation.
// The analysis runs them checked; the engineering checks run them again on scaled designs.

#include "analysis.h"

namespace ferrolux {

// Every operation checked in the analysis's order; throws ArithmeticStop at the first fault.
void computeLoadedFigures(AnalysisResult &result, bool correctForLoading);

// The same operations in the same order without checks: a fault gives an infinity or NaN in
// the values it reaches. Cheap enough to run thousands of times per check.
void computeLoadedFiguresUnchecked(AnalysisResult &result, bool correctForLoading);

} // namespace ferrolux
