#pragma once

// The power supply behind one winding: the rectifier circuit and element, the filter ladder,
// the load and the source (mains frequency, the open-circuit voltage and resistance of one
// conduction path). Checked here with a reason for every refusal; its records for the design
// file's extension block are in supply_records.h.

#include "rectifier_parts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferrolux {

enum class RectifierCircuit { HalfWave, FullWaveCentreTap, Bridge };

// "half-wave", "full-wave-ct", "bridge".
std::string_view rectifierCircuitKey(RectifierCircuit circuit);
std::optional<RectifierCircuit> rectifierCircuitFromKey(std::string_view key);

enum class RectifierKind { Diode, SiliconPreset, Valve };

struct Rectifier
{
    RectifierKind kind = RectifierKind::Diode;
    std::string part; // the preset's or valve's name; empty for a diode given by its law
    DiodeLaw law;     // the diode's law when kind is Diode

    bool operator==(const Rectifier &) const = default;
};

enum class FilterPartKind { ShuntCapacitor, SeriesChoke, SeriesResistor };

struct FilterPart
{
    FilterPartKind kind = FilterPartKind::ShuntCapacitor;
    double capacitanceUf = 0; // shunt capacitor
    double inductanceH = 0;   // series choke
    double resistanceOhm = 0; // the choke's resistance, or the series resistor

    bool operator==(const FilterPart &) const = default;
};

inline FilterPart shuntCapacitor(double uf)
{
    return {FilterPartKind::ShuntCapacitor, uf, 0, 0};
}
inline FilterPart seriesChoke(double henry, double ohm)
{
    return {FilterPartKind::SeriesChoke, 0, henry, ohm};
}
inline FilterPart seriesResistor(double ohm)
{
    return {FilterPartKind::SeriesResistor, 0, 0, ohm};
}

enum class SupplyLoadKind { ConstantCurrent, Resistance };

struct SupplyLoad
{
    SupplyLoadKind kind = SupplyLoadKind::ConstantCurrent;
    double value = 0; // amperes, or ohms

    bool operator==(const SupplyLoad &) const = default;
};

struct SupplyCircuit
{
    double mainsHz = 50;
    double windingVac = 0; // open-circuit RMS voltage of one conduction path
    double windingOhm = 0; // that path's resistance, the primary's referred to it included
    RectifierCircuit circuit = RectifierCircuit::FullWaveCentreTap;
    Rectifier rectifier;
    std::vector<FilterPart> filter; // from the rectifier to the load; ends with a capacitor
    SupplyLoad load;

    bool operator==(const SupplyCircuit &) const = default;
};

// The accepted ranges (inclusive unless noted).
inline constexpr double kMinMainsHz = 10, kMaxMainsHz = 1000;
inline constexpr double kMaxWindingVac = 10000;  // above 0
inline constexpr double kMaxOhm = 1e6;           // resistances
inline constexpr double kMaxCapacitanceUf = 1e6; // above 0
inline constexpr double kMaxInductanceH = 1e4;   // above 0
inline constexpr double kMaxLoadA = 1000;        // above 0
inline constexpr double kMaxForwardV = 1000;     // diode forward voltage, 0 or more
inline constexpr double kMinExponent = 0.5, kMaxExponent = 5;
inline constexpr std::size_t kMaxFilterParts = 20;

// Why the supply cannot be simulated (no filter, a filter not ending in a capacitor, a zero
// or negative part, an unknown valve or preset, ...); nullopt when it can.
std::optional<std::string> supplyProblem(const SupplyCircuit &supply);

// The law of one conducting element (the diode's own, the preset's or the valve's); nullopt
// for an unknown part.
std::optional<DiodeLaw> rectifierLaw(const Rectifier &rectifier);

} // namespace ferrolux
