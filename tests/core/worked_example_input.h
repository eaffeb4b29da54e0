#pragma once

// The shipped worked example as the analysis receives it, with the default limits 2.5 and 4.5.

#include "analysis.h"

namespace ferrolux::testing_support {

inline AnalysisInput workedExampleInput()
{
    return AnalysisInput{.primaryVoltage = "117",
                         .primaryResistance = "2.05",
                         .secondaryCount = "4",
                         .secondaries = {{{"350", "67.4", "0"},
                                          {"40.0", "7.60", "0"},
                                          {"5.297", "99.0e-3", "3.0"},
                                          {"6.65", "122e-3", "0"},
                                          {"0", "0", "0"},
                                          {"0", "0", "0"}}},
                         .x = "11.3",
                         .y = "9.6",
                         .z = "9.7",
                         .a = "4.0",
                         .b = "8.4",
                         .c = "6.4",
                         .potted = false,
                         .correctForLoading = true,
                         .plateLimit = 2.5,
                         .filamentLimit = 4.5};
}

} // namespace ferrolux::testing_support
