#pragma once

// The transformer in hand, evaluated with a design: the measured rise beside the models and
// the calibrated rows, the lamination's estimate against the design's load, and the VA budget
// with the primary fuse, each with its lines for the check section.

#include "bench_records.h"
#include "design_va_budget.h"
#include "engineering_checks.h"
#include "lamination_estimate.h"
#include "rise_measurements.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ferrolux {

struct BenchEvaluation
{
    std::optional<RiseFigures> rise;                       // when measurements are given
    std::optional<Checked<LaminationEstimate>> lamination; // when a lamination is given
    std::optional<Checked<DesignVaBudget>> vaBudget;       // for every analysed design
    std::vector<std::string> checkLines;                   // follow the check section
};

// The RMS current of each secondary's supply, where it has one (element i: secondary i+1).
using SupplyCurrents = std::array<std::optional<double>, kMaxSecondaries>;

// Everything of the bench for an analysed design and its checks.
BenchEvaluation evaluateBench(const BenchRecords &bench, const AnalysisResult &result,
                              const EngineeringChecks &checks, const ThermalInputs &inputs,
                              const SupplyCurrents &supplyAmps = {});

} // namespace ferrolux
