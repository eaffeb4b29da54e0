#pragma once

// ferrolux-report --supply FILE [--json]: one power supply from a JSON file, simulated to its
// steady state, printed as a readable section or as one JSON object.

#include <iosfwd>
#include <string>

namespace ferrolux {

// Exit status 0 (printed), 1 (the load cannot be delivered, or no steady state) or 2 (the file
// cannot be read or does not describe a supply); reasons go to `err`, nothing to `out` then.
int runSupply(const std::string &path, bool json, std::ostream &out, std::ostream &err);

} // namespace ferrolux
