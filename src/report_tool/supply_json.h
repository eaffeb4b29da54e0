#pragma once

// A supply read from its JSON description (the report tool's --supply file).

#include "supply_circuit.h"
#include "supply_limits.h"
#include "supply_simulation.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ferrolux {

// The supply a JSON text describes, or why it cannot be read (malformed, a missing or unknown
// key, a text where a number belongs, a value out of range).
std::variant<SupplyCircuit, std::string> supplyFromJson(std::string_view text);

// The figures, the switch-on and the limits as the keys --supply --json prints (Json is
// nlohmann::json or nlohmann::ordered_json).
template <typename Json>
Json supplyFiguresJson(const SupplyFigures &f, const SwitchOnFigures &on,
                       const std::vector<LimitCheck> &limits)
{
    Json result = {{"dc_output_v", f.dcOutputV},
                   {"ripple_pp_v", f.ripplePpV},
                   {"first_capacitor_dc_v", f.firstCapacitorDcV},
                   {"load_a", f.loadMeanA},
                   {"winding_rms_a", f.windingRmsA},
                   {"winding_peak_a", f.windingPeakA},
                   {"rectifier_peak_a", f.rectifierPeakA},
                   {"piv_v", f.pivV},
                   {"cycles", f.cycles},
                   {"surge_peak_a", on.surgePeakA},
                   {"time_to_90_percent_s", on.timeTo90S ? Json(*on.timeTo90S) : nullptr}};
    Json checks = Json::array(), broken = Json::array();
    for (const LimitCheck &limit : limits) {
        checks.push_back({{"name", limit.key},
                          {"value", limit.value},
                          {"limit", limit.limit},
                          {"kind", limit.minimum ? "min" : "max"},
                          {"broken", limit.broken}});
        if (limit.broken) {
            broken.push_back(limit.key);
        }
    }
    result["limits"] = checks;
    result["limits_broken"] = broken;
    return result;
}

} // namespace ferrolux
