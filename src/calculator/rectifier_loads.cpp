// Rectifier loads: the factor k that turns a DC load current into the AC current of the
// winding (I_AC = I_DC / k), from a transformer maker's published guide for rectifier use. For
// a centre-tapped winding the current is that of the whole winding, end to end.

#include "rectifier_loads.h"

#include <array>

namespace ferrolux {

namespace {

struct LoadKindInfo
{
    LoadKind kind;
    double factor;
    std::string_view key;
    std::string_view title;
};

constexpr std::array<LoadKindInfo, kLoadKindCount> kLoadKinds = {{
    {LoadKind::AC, 1.0, "ac", "AC"},
    {LoadKind::HalfWaveResistive, 0.64, "half-wave-resistive", "Half-wave, resistive"},
    {LoadKind::HalfWaveCapacitor, 0.28, "half-wave-capacitor", "Half-wave, capacitor input"},
    {LoadKind::FullWaveCtResistive, 1.27, "full-wave-ct-resistive",
     "Full-wave centre tap, resistive"},
    {LoadKind::FullWaveCtCapacitor, 1.00, "full-wave-ct-capacitor",
     "Full-wave centre tap, capacitor input"},
    {LoadKind::FullWaveCtChoke, 1.54, "full-wave-ct-choke", "Full-wave centre tap, choke input"},
    {LoadKind::BridgeResistive, 0.90, "bridge-resistive", "Bridge, resistive"},
    {LoadKind::BridgeCapacitor, 0.62, "bridge-capacitor", "Bridge, capacitor input"},
    {LoadKind::BridgeChoke, 0.94, "bridge-choke", "Bridge, choke input"},
}};

const LoadKindInfo &info(LoadKind kind)
{
    for (const LoadKindInfo &entry : kLoadKinds) {
        if (entry.kind == kind) {
            return entry;
        }
    }
    return kLoadKinds[0];
}

} // namespace

double rectifierFactor(LoadKind kind)
{
    return info(kind).factor;
}

std::string_view loadKindKey(LoadKind kind)
{
    return info(kind).key;
}

std::string_view loadKindTitle(LoadKind kind)
{
    return info(kind).title;
}

std::optional<LoadKind> loadKindFromKey(std::string_view key)
{
    for (const LoadKindInfo &entry : kLoadKinds) {
        if (entry.key == key) {
            return entry.kind;
        }
    }
    return std::nullopt;
}

} // namespace ferrolux
