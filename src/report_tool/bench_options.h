#pragma once

// The command line of the report tool's bench modes: the rise of a winding measured by
// resistance, what an EI lamination stack can carry, and the heater load of a list of valves.

#include "tool_options.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ferrolux {

enum class BenchMode { RiseFromResistance, Lamination, Valves };

struct BenchOptions
{
    BenchMode mode = BenchMode::Valves;
    bool json = false;
    // --rise-from-resistance R_COLD T_COLD R_HOT T_AMBIENT [--conductor NAME]
    std::vector<double> readings;
    std::string conductor = "copper";
    // --lamination NAME or --tongue CM --window WIDTH HEIGHT, and the conditions
    std::string laminationName;
    std::optional<double> tongueCm;
    std::vector<double> windowCm;
    double stackCm = 0;
    std::optional<double> fluxT, mainsV, hz, stackingFactor, efficiency;
    std::optional<int> riseK;
    // --valves LIST
    std::string valveList;
};

// True when `args` ask for one of the bench modes (their options appear before any "--").
bool isBenchMode(const std::vector<std::string> &args);

// Repeated options, options of the other modes (or of the report) and numbers that are not
// plain decimals are usage errors.
std::variant<BenchOptions, UsageError> parseBenchOptions(const std::vector<std::string> &args);

} // namespace ferrolux
