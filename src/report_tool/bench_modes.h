#pragma once

// The report tool's bench modes run: the figures as text or JSON.

#include "bench_options.h"

#include <ostream>

namespace ferrolux {

// Prints the figures (text, or one JSON object with --json); returns the exit status: 0, or 2
// with the reason on `err` and nothing on `out` when the values are refused.
int runBenchMode(const BenchOptions &options, std::ostream &out, std::ostream &err);

} // namespace ferrolux
