#include "design_supply_json.h"

#include "supply_check_lines.h"
#include "supply_json.h"

namespace ferrolux {

nlohmann::ordered_json designSuppliesJson(const std::vector<DesignSupplyResult> &supplies)
{
    using Json = nlohmann::ordered_json;
    Json array = Json::array();
    for (const DesignSupplyResult &s : supplies) {
        Json item = {{"secondary", s.row + 1},
                     {"circuit", rectifierCircuitKey(s.circuit.circuit)},
                     {"rectifier", rectifierDescription(s.circuit.rectifier)},
                     {"mains_hz", s.circuit.mainsHz},
                     {"vac", s.circuit.windingVac},
                     {"resistance_ohm", s.circuit.windingOhm},
                     {"entered_v", s.enteredPathV},
                     {"entered_open_circuit", s.openCircuit}};
        if (!s.ok()) {
            item["failure"] = *s.failure;
        } else {
            item["failure"] = nullptr;
            const Json figures = supplyFiguresJson<Json>(s.figures, s.switchOn, s.limits);
            for (const auto &[key, value] : figures.items()) {
                item[key] = value;
            }
            // False for a valve without any published limit, and for a diode given by its law:
            // an empty "limits" then means "not known", not "within the rating".
            item["limits_known"] = !s.limits.empty();
        }
        array.push_back(std::move(item));
    }
    return array;
}

} // namespace ferrolux
