#include "secondary_supply.h"

#include "supply_records.h"
#include "text_encoding.h"

#include <algorithm>

namespace ferrolux {

namespace {

// The source's records are stored with the design, not with the supply: these stand in for
// them while the text form's reader checks the rest.
constexpr std::string_view kSourceKeys[] = {"vac", "winding_ohm"};

bool isSourceKey(std::string_view key)
{
    return std::find(std::begin(kSourceKeys), std::end(kSourceKeys), key) != std::end(kSourceKeys);
}

// Splits CR LF ended records (the last one may lack its end).
std::vector<std::string_view> blockRecords(std::string_view block)
{
    std::vector<std::string_view> records;
    while (!block.empty()) {
        const std::size_t end = block.find("\r\n");
        records.push_back(block.substr(0, end));
        block.remove_prefix(end == std::string_view::npos ? block.size() : end + 2);
    }
    return records;
}

// The secondary row a record belongs to, or -1 for any other record.
int supplyRowOf(std::string_view record)
{
    for (std::size_t row = 0; row < kMaxSecondaries; ++row) {
        if (record.starts_with(supplyRecordPrefix(row))) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

} // namespace

SupplyCircuit supplyCircuitOf(const SecondarySupply &supply, double windingVac, double windingOhm)
{
    SupplyCircuit circuit;
    circuit.mainsHz = supply.mainsHz;
    circuit.windingVac = windingVac;
    circuit.windingOhm = windingOhm;
    circuit.circuit = supply.circuit;
    circuit.rectifier = supply.rectifier;
    circuit.filter = supply.filter;
    circuit.load = supply.load;
    return circuit;
}

SecondarySupply secondarySupplyOf(const SupplyCircuit &circuit)
{
    return {circuit.mainsHz, circuit.circuit, circuit.rectifier, circuit.filter, circuit.load};
}

std::string supplyRecordPrefix(std::size_t row)
{
    return "supply" + std::to_string(row + 1) + "_";
}

std::vector<std::pair<std::string, std::string>> secondarySupplyRecords(const SecondarySupply &s,
                                                                        std::size_t row)
{
    std::vector<std::pair<std::string, std::string>> records;
    for (auto &[key, value] : supplyRecords(supplyCircuitOf(s, 1, 0))) {
        if (!isSourceKey(key)) {
            records.emplace_back(supplyRecordPrefix(row) + key, std::move(value));
        }
    }
    return records;
}

std::variant<SecondarySupply, std::string>
secondarySupplyFromRecords(const std::vector<std::pair<std::string, std::string>> &records)
{
    std::vector<std::pair<std::string, std::string>> withSource;
    for (const auto &[key, value] : records) {
        if (isSourceKey(key)) {
            return "unknown record " + key;
        }
        withSource.emplace_back(key, value);
    }
    // A stand-in source: 1 V and 1 ohm pass every check the source itself is put to.
    withSource.emplace_back("vac", "1");
    withSource.emplace_back("winding_ohm", "1");
    auto read = supplyFromRecords(withSource);
    if (auto *problem = std::get_if<std::string>(&read)) {
        return std::move(*problem);
    }
    return secondarySupplyOf(std::get<SupplyCircuit>(read));
}

SuppliesFromBlock suppliesFromRecords(std::string_view keptRecords)
{
    SuppliesFromBlock result;
    std::array<std::vector<std::pair<std::string, std::string>>, kMaxSecondaries> perRow;
    for (const std::string_view record : blockRecords(keptRecords)) {
        const int row = supplyRowOf(record);
        if (row < 0) {
            continue;
        }
        const std::string text = latin1ToUtf8(record);
        const std::size_t equals = text.find('=');
        const std::size_t prefix = supplyRecordPrefix(static_cast<std::size_t>(row)).size();
        perRow[static_cast<std::size_t>(row)].emplace_back(
            text.substr(prefix, equals == std::string::npos ? std::string::npos : equals - prefix),
            equals == std::string::npos ? std::string() : text.substr(equals + 1));
    }
    std::array<bool, kMaxSecondaries> taken{};
    for (std::size_t row = 0; row < kMaxSecondaries; ++row) {
        if (perRow[row].empty()) {
            continue;
        }
        auto read = secondarySupplyFromRecords(perRow[row]);
        if (auto *supply = std::get_if<SecondarySupply>(&read)) {
            result.supplies[row] = std::move(*supply);
            taken[row] = true;
        } else {
            // The records by their names in the file, each once, so the user can find them.
            std::vector<std::string> keys;
            for (const auto &record : perRow[row]) {
                std::string key = supplyRecordPrefix(row) + record.first;
                if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
                    keys.push_back(std::move(key));
                }
            }
            std::string names;
            for (const std::string &key : keys) {
                names += (names.empty() ? "" : ", ") + key;
            }
            result.problems.push_back(
                "The supply of secondary " + std::to_string(row + 1) + " does not read (" +
                std::get<std::string>(read) +
                (keys.size() == 1 ? "); its record " : "); its records ") + names +
                (keys.size() == 1 ? " is kept as written" : " are kept as written"));
        }
    }
    for (const std::string_view record : blockRecords(keptRecords)) {
        const int row = supplyRowOf(record);
        if (row < 0 || !taken[static_cast<std::size_t>(row)]) {
            result.otherRecords.append(record);
            result.otherRecords += "\r\n";
        }
    }
    return result;
}

std::string withoutSupplyRecords(std::string_view keptRecords, const SecondarySupplies &supplies)
{
    std::string kept;
    for (const std::string_view record : blockRecords(keptRecords)) {
        const int row = supplyRowOf(record);
        if (row < 0 || !supplies[static_cast<std::size_t>(row)]) {
            kept.append(record);
            kept += "\r\n";
        }
    }
    return kept;
}

std::string suppliesBytes(const SecondarySupplies &supplies)
{
    std::string bytes;
    for (std::size_t row = 0; row < supplies.size(); ++row) {
        if (!supplies[row]) {
            continue;
        }
        for (const auto &[key, value] : secondarySupplyRecords(*supplies[row], row)) {
            std::string record = key + "=" + value;
            // A record ends at a line end: no value may hold one.
            std::erase_if(record, [](char ch) { return ch == '\r' || ch == '\n'; });
            bytes += utf8ToLatin1(record);
            bytes += "\r\n";
        }
    }
    return bytes;
}

bool hasSupplies(const SecondarySupplies &supplies)
{
    return std::any_of(supplies.begin(), supplies.end(),
                       [](const auto &supply) { return supply.has_value(); });
}

WindingSource windingSource(RectifierCircuit circuit, double secondaryV, double secondaryOhm,
                            double primaryV, double primaryOhm)
{
    const double paths = circuit == RectifierCircuit::FullWaveCentreTap ? 2.0 : 1.0;
    WindingSource source;
    source.pathVoltage = secondaryV / paths;
    const double ratio = primaryV > 0 ? source.pathVoltage / primaryV : 0.0;
    source.pathOhm = secondaryOhm / paths + primaryOhm * ratio * ratio;
    return source;
}

} // namespace ferrolux
