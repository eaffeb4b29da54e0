#pragma once

// Rectifier loads: the kinds of load a secondary can feed and the AC winding current each
// draws for a DC load current. The factors and their sources are in
// docs/engineering-checks.md.

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace ferrolux {

// Rectifier loads: the AC winding current is I_AC = I_DC / k.
enum class LoadKind {
    AC,
    HalfWaveResistive,
    HalfWaveCapacitor,
    FullWaveCtResistive,
    FullWaveCtCapacitor,
    FullWaveCtChoke,
    BridgeResistive,
    BridgeCapacitor,
    BridgeChoke,
};
inline constexpr int kLoadKindCount = 9;

double rectifierFactor(LoadKind kind);
// "ac", "half-wave-resistive", ... (command line and file keys).
std::string_view loadKindKey(LoadKind kind);
// "AC", "Half-wave, resistive", ... (for people).
std::string_view loadKindTitle(LoadKind kind);
std::optional<LoadKind> loadKindFromKey(std::string_view key);
inline double windingCurrent(LoadKind kind, double dcCurrent)
{
    return dcCurrent / rectifierFactor(kind);
}
// The winding current for a DC load current, or a refusal when it is not a finite number (a DC
// current near the largest double overflows): the refusal says why.
struct CheckedWindingCurrent
{
    std::optional<double> amperes;
    std::string refusal;
};
inline CheckedWindingCurrent checkedWindingCurrent(LoadKind kind, double dcCurrent)
{
    const double amperes = windingCurrent(kind, dcCurrent);
    if (!std::isfinite(amperes)) {
        char amps[32];
        std::snprintf(amps, sizeof amps, "%.6g", dcCurrent);
        return {std::nullopt, std::string("the winding current for a DC current of ") + amps +
                                  " A is too large to compute"};
    }
    return {amperes, {}};
}

} // namespace ferrolux
