#pragma once

// A supply read from its JSON description (the report tool's --supply file).

#include "supply_circuit.h"

#include <string>
#include <string_view>
#include <variant>

namespace ferrolux {

// The supply a JSON text describes, or why it cannot be read (malformed, a missing or unknown
// key, a text where a number belongs, a value out of range).
std::variant<SupplyCircuit, std::string> supplyFromJson(std::string_view text);

} // namespace ferrolux
