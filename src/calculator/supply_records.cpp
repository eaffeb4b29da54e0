#include "supply_records.h"

#include "plain_decimal.h"

#include <map>

namespace ferrolux {

namespace {

std::string number(double value)
{
    return plainDecimalText(value);
}

// The filter as one line: "c:10;l:10:100;r:100;c:20".
std::string filterText(const std::vector<FilterPart> &filter)
{
    std::string text;
    for (const FilterPart &part : filter) {
        text += text.empty() ? "" : ";";
        switch (part.kind) {
        case FilterPartKind::ShuntCapacitor:
            text += "c:" + number(part.capacitanceUf);
            break;
        case FilterPartKind::SeriesChoke:
            text += "l:" + number(part.inductanceH) + ":" + number(part.resistanceOhm);
            break;
        case FilterPartKind::SeriesResistor:
            text += "r:" + number(part.resistanceOhm);
            break;
        }
    }
    return text;
}

std::vector<std::string> split(std::string_view text, char separator)
{
    std::vector<std::string> pieces;
    while (true) {
        const std::size_t at = text.find(separator);
        pieces.emplace_back(text.substr(0, at));
        if (at == std::string_view::npos) {
            return pieces;
        }
        text.remove_prefix(at + 1);
    }
}

std::optional<std::vector<FilterPart>> filterFromText(std::string_view text)
{
    std::vector<FilterPart> filter;
    for (const std::string &item : split(text, ';')) {
        const std::vector<std::string> fields = split(item, ':');
        std::vector<double> values;
        for (std::size_t i = 1; i < fields.size(); ++i) {
            const std::optional<double> value = plainDecimal(fields[i]);
            if (!value) {
                return std::nullopt;
            }
            values.push_back(*value);
        }
        FilterPart part;
        if (fields[0] == "c" && values.size() == 1) {
            part.kind = FilterPartKind::ShuntCapacitor;
            part.capacitanceUf = values[0];
        } else if (fields[0] == "l" && values.size() == 2) {
            part.kind = FilterPartKind::SeriesChoke;
            part.inductanceH = values[0];
            part.resistanceOhm = values[1];
        } else if (fields[0] == "r" && values.size() == 1) {
            part.kind = FilterPartKind::SeriesResistor;
            part.resistanceOhm = values[0];
        } else {
            return std::nullopt;
        }
        filter.push_back(part);
    }
    return filter;
}

} // namespace

std::vector<std::pair<std::string, std::string>> supplyRecords(const SupplyCircuit &s)
{
    std::vector<std::pair<std::string, std::string>> records = {
        {"mains_hz", number(s.mainsHz)},
        {"vac", number(s.windingVac)},
        {"winding_ohm", number(s.windingOhm)},
        {"circuit", std::string(rectifierCircuitKey(s.circuit))}};
    switch (s.rectifier.kind) {
    case RectifierKind::Valve:
        records.emplace_back("valve", s.rectifier.part);
        break;
    case RectifierKind::SiliconPreset:
        records.emplace_back("diode", s.rectifier.part);
        break;
    case RectifierKind::Diode: {
        const DiodeLaw &law = s.rectifier.law;
        records.emplace_back("diode_forward_v", number(law.forwardV));
        records.emplace_back("diode_ohm", number(law.resistanceOhm));
        if (law.k) {
            records.emplace_back("diode_k", number(*law.k));
        }
        if (law.n) {
            records.emplace_back("diode_n", number(*law.n));
        }
        break;
    }
    }
    records.emplace_back("filter", filterText(s.filter));
    records.emplace_back(s.load.kind == SupplyLoadKind::ConstantCurrent ? "load_a" : "load_ohm",
                         number(s.load.value));
    return records;
}

std::variant<SupplyCircuit, std::string>
supplyFromRecords(const std::vector<std::pair<std::string, std::string>> &records)
{
    std::map<std::string, std::string> values;
    for (const auto &[key, value] : records) {
        if (!values.emplace(key, value).second) {
            return "the record " + key + " is given twice";
        }
    }
    const auto take = [&values](const std::string &key) -> std::optional<std::string> {
        const auto found = values.find(key);
        if (found == values.end()) {
            return std::nullopt;
        }
        std::string value = found->second;
        values.erase(found);
        return value;
    };
    std::string problem;
    const auto decimal = [&](const std::string &key, bool required) -> std::optional<double> {
        const std::optional<std::string> text = take(key);
        if (!text) {
            if (required && problem.empty()) {
                problem = "the record " + key + " is missing";
            }
            return std::nullopt;
        }
        const std::optional<double> value = plainDecimal(*text);
        if (!value && problem.empty()) {
            problem = "the record " + key + " is not a plain decimal number";
        }
        return value;
    };

    SupplyCircuit s;
    s.mainsHz = decimal("mains_hz", true).value_or(0);
    s.windingVac = decimal("vac", true).value_or(0);
    s.windingOhm = decimal("winding_ohm", true).value_or(0);
    const std::optional<std::string> circuit = take("circuit");
    const std::optional<RectifierCircuit> parsedCircuit =
        circuit ? rectifierCircuitFromKey(*circuit) : std::nullopt;
    if (!parsedCircuit && problem.empty()) {
        problem = circuit ? "unknown circuit '" + *circuit + "'" : "the record circuit is missing";
    }
    s.circuit = parsedCircuit.value_or(RectifierCircuit::FullWaveCentreTap);
    if (const std::optional<std::string> valve = take("valve")) {
        s.rectifier = {RectifierKind::Valve, *valve, {}};
    } else if (const std::optional<std::string> preset = take("diode")) {
        s.rectifier = {RectifierKind::SiliconPreset, *preset, {}};
    } else {
        s.rectifier.kind = RectifierKind::Diode;
        s.rectifier.law.forwardV = decimal("diode_forward_v", true).value_or(0);
        s.rectifier.law.resistanceOhm = decimal("diode_ohm", true).value_or(0);
        s.rectifier.law.k = decimal("diode_k", false);
        s.rectifier.law.n = decimal("diode_n", false);
    }
    const std::optional<std::string> filter = take("filter");
    const std::optional<std::vector<FilterPart>> parts =
        filter ? filterFromText(*filter) : std::nullopt;
    if (!parts && problem.empty()) {
        problem = filter ? "the record filter does not read: write parts as c:UF, l:H:OHM or "
                           "r:OHM, separated by ';'"
                         : "the record filter is missing";
    }
    s.filter = parts.value_or(std::vector<FilterPart>{});
    if (const std::optional<double> amps = decimal("load_a", false)) {
        s.load = {SupplyLoadKind::ConstantCurrent, *amps};
    } else if (const std::optional<double> ohms = decimal("load_ohm", false)) {
        s.load = {SupplyLoadKind::Resistance, *ohms};
    } else if (problem.empty()) {
        problem = "the record load_a or load_ohm is missing";
    }
    if (problem.empty() && !values.empty()) {
        problem = "unknown record " + values.begin()->first;
    }
    if (problem.empty()) {
        if (const std::optional<std::string> reason = supplyProblem(s)) {
            problem = *reason;
        }
    }
    if (!problem.empty()) {
        return problem;
    }
    return s;
}

std::string supplyText(const SupplyCircuit &supply)
{
    std::string text;
    for (const auto &[key, value] : supplyRecords(supply)) {
        text += key + "=" + value + "\n";
    }
    return text;
}

std::variant<SupplyCircuit, std::string> supplyFromText(std::string_view text)
{
    std::vector<std::pair<std::string, std::string>> records;
    for (const std::string &line : split(text, '\n')) {
        if (line.empty()) {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            return "the line '" + line + "' has no '='";
        }
        records.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    return supplyFromRecords(records);
}

} // namespace ferrolux
