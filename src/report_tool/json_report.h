#pragma once

// The --json output: the fixed report, every figure of the analysis and the engineering
// checks as one JSON object. Numbers in shortest round-trip form; an undefined or non-finite
// figure is null.

#include "analysis.h"
#include "engineering_checks.h"
#include "evaluation.h"

#include <string>

namespace ferrolux {

std::string jsonReport(const TransformerDesign &design, const AnalysisResult &result,
                       const EngineeringChecks &checks, const ThermalInputs &inputs);

// `value` as JSON writes it ("0.8928571428571428", "1.0"; "null" when not finite).
std::string jsonNumber(double value);

// The same for a successful evaluation: its design, analysis, checks and thermal inputs.
std::string jsonReport(const Evaluation &evaluation);

} // namespace ferrolux
