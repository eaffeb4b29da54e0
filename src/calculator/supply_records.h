#pragma once

// A supply circuit written as key=value records (one-line values, plain decimals) for the
// design file's extension block, and read back with a reason for whatever does not read.

#include "supply_circuit.h"

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace ferrolux {

// The supply as key=value records, keys without any prefix, values on one line.
std::vector<std::pair<std::string, std::string>> supplyRecords(const SupplyCircuit &supply);
// Reads the records back; a missing, unknown-valued or out-of-range record is a reason.
std::variant<SupplyCircuit, std::string>
supplyFromRecords(const std::vector<std::pair<std::string, std::string>> &records);

// The records as text, one "key=value" per line (LF), and back.
std::string supplyText(const SupplyCircuit &supply);
std::variant<SupplyCircuit, std::string> supplyFromText(std::string_view text);

} // namespace ferrolux
