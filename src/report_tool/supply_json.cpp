// Reads a supply from its JSON description:
// {"mains_hz", "winding": {"vac", "resistance_ohm"},
//  "rectifier": {"circuit", "diode": {"forward_v", "resistance_ohm", "k", "n"} | "1N4007"}
//            or {"circuit", "valve": "5U4G"},
//  "filter": [{"c_uf"}, {"l_h", "r_ohm"}, {"r_ohm"}, ...], "load": {"current_a"} |
//  {"resistance_ohm"}}

#include "supply_json.h"

#include <initializer_list>
#include <nlohmann/json.hpp>

namespace ferrolux {

namespace {

using nlohmann::json;

// Thrown with the reason when the description does not read.
struct BadSupply
{
    std::string reason;
};

void onlyKeys(const json &object, const std::string &where,
              std::initializer_list<const char *> keys)
{
    if (!object.is_object()) {
        throw BadSupply{where + " must be an object"};
    }
    for (const auto &item : object.items()) {
        bool known = false;
        for (const char *key : keys) {
            known = known || item.key() == key;
        }
        if (!known) {
            throw BadSupply{where + " has an unknown key '" + item.key() + "'"};
        }
    }
}

const json &member(const json &object, const std::string &where, const char *key)
{
    const auto found = object.find(key);
    if (found == object.end()) {
        throw BadSupply{where + " needs \"" + key + "\""};
    }
    return *found;
}

double numberAt(const json &object, const std::string &where, const char *key)
{
    const json &value = member(object, where, key);
    if (!value.is_number()) {
        throw BadSupply{where + "'s \"" + key + "\" must be a number"};
    }
    return value.get<double>();
}

std::optional<double> optionalNumber(const json &object, const std::string &where, const char *key)
{
    if (!object.contains(key)) {
        return std::nullopt;
    }
    return numberAt(object, where, key);
}

std::string textAt(const json &value, const std::string &what)
{
    if (!value.is_string()) {
        throw BadSupply{what + " must be a text"};
    }
    return value.get<std::string>();
}

Rectifier rectifierFrom(const json &r, RectifierCircuit &circuit)
{
    onlyKeys(r, "the rectifier", {"circuit", "diode", "valve"});
    const std::string circuitKey = textAt(member(r, "the rectifier", "circuit"), "the circuit");
    const std::optional<RectifierCircuit> parsed = rectifierCircuitFromKey(circuitKey);
    if (!parsed) {
        throw BadSupply{"unknown circuit '" + circuitKey +
                        "': use half-wave, full-wave-ct or bridge"};
    }
    circuit = *parsed;
    const bool diode = r.contains("diode"), valve = r.contains("valve");
    if (diode == valve) {
        throw BadSupply{"the rectifier needs either \"diode\" or \"valve\""};
    }
    if (valve) {
        return {RectifierKind::Valve, textAt(r["valve"], "the valve"), {}};
    }
    const json &d = r["diode"];
    if (d.is_string()) {
        return {RectifierKind::SiliconPreset, d.get<std::string>(), {}};
    }
    onlyKeys(d, "the diode", {"forward_v", "resistance_ohm", "k", "n"});
    DiodeLaw law;
    law.forwardV = numberAt(d, "the diode", "forward_v");
    law.resistanceOhm = numberAt(d, "the diode", "resistance_ohm");
    law.k = optionalNumber(d, "the diode", "k");
    law.n = optionalNumber(d, "the diode", "n");
    return {RectifierKind::Diode, {}, law};
}

FilterPart partFrom(const json &p, std::size_t index)
{
    const std::string where = "filter part " + std::to_string(index + 1);
    onlyKeys(p, where, {"c_uf", "l_h", "r_ohm"});
    FilterPart part;
    if (p.contains("c_uf")) {
        if (p.size() != 1) {
            throw BadSupply{where + ": a capacitor has only \"c_uf\""};
        }
        part.kind = FilterPartKind::ShuntCapacitor;
        part.capacitanceUf = numberAt(p, where, "c_uf");
    } else if (p.contains("l_h")) {
        part.kind = FilterPartKind::SeriesChoke;
        part.inductanceH = numberAt(p, where, "l_h");
        part.resistanceOhm = numberAt(p, where, "r_ohm");
    } else {
        part.kind = FilterPartKind::SeriesResistor;
        part.resistanceOhm = numberAt(p, where, "r_ohm");
    }
    return part;
}

SupplyCircuit supplyFrom(const json &root)
{
    onlyKeys(root, "the supply", {"mains_hz", "winding", "rectifier", "filter", "load"});
    SupplyCircuit s;
    s.mainsHz = numberAt(root, "the supply", "mains_hz");
    const json &winding = member(root, "the supply", "winding");
    onlyKeys(winding, "the winding", {"vac", "resistance_ohm"});
    s.windingVac = numberAt(winding, "the winding", "vac");
    s.windingOhm = numberAt(winding, "the winding", "resistance_ohm");
    s.rectifier = rectifierFrom(member(root, "the supply", "rectifier"), s.circuit);
    const json &filter = member(root, "the supply", "filter");
    if (!filter.is_array()) {
        throw BadSupply{"the filter must be a list of parts"};
    }
    if (filter.size() > kMaxFilterParts) {
        throw BadSupply{"the filter has more than " + std::to_string(kMaxFilterParts) + " parts"};
    }
    for (std::size_t i = 0; i < filter.size(); ++i) {
        s.filter.push_back(partFrom(filter[i], i));
    }
    const json &load = member(root, "the supply", "load");
    onlyKeys(load, "the load", {"current_a", "resistance_ohm"});
    if (load.size() != 1) {
        throw BadSupply{"the load needs one of \"current_a\" or \"resistance_ohm\""};
    }
    if (load.contains("current_a")) {
        s.load = {SupplyLoadKind::ConstantCurrent, numberAt(load, "the load", "current_a")};
    } else {
        s.load = {SupplyLoadKind::Resistance, numberAt(load, "the load", "resistance_ohm")};
    }
    return s;
}

} // namespace

std::variant<SupplyCircuit, std::string> supplyFromJson(std::string_view text)
{
    const json root = json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded()) {
        return std::string("the file is not valid JSON");
    }
    try {
        SupplyCircuit supply = supplyFrom(root);
        if (const std::optional<std::string> problem = supplyProblem(supply)) {
            return *problem;
        }
        return supply;
    } catch (const BadSupply &bad) {
        return bad.reason;
    } catch (const json::exception &) {
        return std::string("the file does not describe a supply");
    }
}

} // namespace ferrolux
