#pragma once

// The supply of each secondary as readable lines for the check section (what --check prints
// after the temperature checks, and what Copy Report, the export and print carry).

#include "design_supply.h"

#include <string>
#include <vector>

namespace ferrolux {

// "5U4G valve", "1N4007 diode", "diode 0.7 V + 0.4 ohm".
std::string rectifierDescription(const Rectifier &rectifier);

// One block per supply: a blank line, a title naming the secondary, the source, the figures
// and each limit with "ok" or "BROKEN"; "no published limits known" for a valve none of whose
// limits a source gives. Empty without supplies.
std::vector<std::string> supplyCheckLines(const std::vector<DesignSupplyResult> &supplies);

} // namespace ferrolux
