#pragma once

// Short names for the parts a test supply is built from, and the relative difference the
// supply tests compare with.

#include "supply_circuit.h"

#include <cmath>
#include <optional>

namespace ferrolux::testing_support {

inline constexpr auto &cap = shuntCapacitor;
inline constexpr auto &choke = seriesChoke;
inline constexpr auto &resistor = seriesResistor;

inline Rectifier valve(const char *name)
{
    return {RectifierKind::Valve, name, {}};
}
inline Rectifier preset(const char *name)
{
    return {RectifierKind::SiliconPreset, name, {}};
}
inline Rectifier law(double forwardV, double ohm, std::optional<double> k = {},
                     std::optional<double> n = {})
{
    return {RectifierKind::Diode, {}, DiodeLaw{forwardV, ohm, k, n}};
}

inline SupplyLoad amps(double a)
{
    return {SupplyLoadKind::ConstantCurrent, a};
}
inline SupplyLoad ohms(double r)
{
    return {SupplyLoadKind::Resistance, r};
}

inline double relative(double value, double expected)
{
    return std::abs(value - expected) / std::abs(expected);
}

} // namespace ferrolux::testing_support
