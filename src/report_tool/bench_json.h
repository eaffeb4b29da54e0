#pragma once

// The JSON keys of the transformer in hand on a design: "measured_rise" (each winding, the
// average, each model's prediction and ratio, the calibrated rows), "va_budget" (with the
// primary fuse) and "lamination" (its figures against the load).

#include "bench_evaluation.h"

#include <nlohmann/json.hpp>

namespace ferrolux {

// Adds the keys of what `bench` holds to `json`.
void addBenchJson(nlohmann::ordered_json &json, const BenchEvaluation &bench,
                  const BenchRecords &records);

} // namespace ferrolux
