#pragma once

// The supply a secondary feeds, as a design keeps it: the mains frequency, the rectifier
// circuit and element, the filter and the load. The winding's own voltage and resistance are
// not stored with it: they come from the design (windingSource). In the design file's
// extension block it is a set of records `supplyN_key=value` (N the secondary, 1 to 6) with
// the keys and values of the supply's text form, less `vac` and `winding_ohm`.

#include "secondary_texts.h"
#include "supply_circuit.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace ferrolux {

struct SecondarySupply
{
    double mainsHz = 50;
    RectifierCircuit circuit = RectifierCircuit::FullWaveCentreTap;
    Rectifier rectifier;
    std::vector<FilterPart> filter; // from the rectifier to the load; ends with a capacitor
    SupplyLoad load;

    bool operator==(const SecondarySupply &) const = default;
};

using SecondarySupplies = std::array<std::optional<SecondarySupply>, kMaxSecondaries>;

// The supply with the source of one conduction path added.
SupplyCircuit supplyCircuitOf(const SecondarySupply &supply, double windingVac, double windingOhm);
SecondarySupply secondarySupplyOf(const SupplyCircuit &circuit);

// "supply3_" for the third secondary (row 2).
std::string supplyRecordPrefix(std::size_t row);

// The records of the supply on secondary row+1, keys with their prefix, in the text form's
// order.
std::vector<std::pair<std::string, std::string>> secondarySupplyRecords(const SecondarySupply &s,
                                                                        std::size_t row);
// Reads them back (keys without their prefix); a missing, repeated, unknown or out-of-range
// record is the reason.
std::variant<SecondarySupply, std::string>
secondarySupplyFromRecords(const std::vector<std::pair<std::string, std::string>> &records);

// The supplies held among an extension block's records this version does not otherwise know
// (CR LF ended, Latin-1, as DesignExtras::keptRecords holds them). The records of a supply that
// reads are taken out of `otherRecords`; those of one that does not read stay there, as written,
// so they are saved back unchanged, and `problems` says why, one line per secondary.
struct SuppliesFromBlock
{
    SecondarySupplies supplies{};
    std::string otherRecords;
    std::vector<std::string> problems;
};
SuppliesFromBlock suppliesFromRecords(std::string_view keptRecords);

// `keptRecords` less the records of every secondary that now carries a supply (they are
// written from the supply itself).
std::string withoutSupplyRecords(std::string_view keptRecords, const SecondarySupplies &supplies);

// The records of every supply, each "key=value" ended by CR LF, Latin-1; empty without supplies.
std::string suppliesBytes(const SecondarySupplies &supplies);

bool hasSupplies(const SecondarySupplies &supplies);

// The source of one conduction path from the design's figures.
struct WindingSource
{
    double pathVoltage = 0; // the entered voltage of one path: half of it for a centre tap
    double pathOhm = 0;     // the path's resistance with the primary's referred to it
};
// `secondaryV` and `secondaryOhm` are the whole winding's as entered; for a centre tap each
// half is one path with half of each. The primary's resistance is referred by the square of
// the turns ratio of the path: Rp · (pathVoltage / primaryV)².
WindingSource windingSource(RectifierCircuit circuit, double secondaryV, double secondaryOhm,
                            double primaryV, double primaryOhm);

} // namespace ferrolux
