#pragma once

// Engineering checks beside the fixed report: the published temperature-rise models, the
// margin against the insulation class, headroom per winding, the load scale at the class
// limit, the mains sweep and the AC winding current a rectifier load draws. Every formula and
// its source is written down in docs/engineering-checks.md.

#include "input_range.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferrolux {

struct AnalysisResult;
struct TransformerDesign;

enum class InsulationClass { A, E, B, F, H };

// The class's temperature limit in °C: 105, 120, 130, 155, 180.
double classLimitC(InsulationClass insulationClass);
// "A", "E", "B", "F", "H".
std::string_view insulationClassName(InsulationClass insulationClass);
// Parses "A".."H" (case-insensitive); nullopt for anything else.
std::optional<InsulationClass> insulationClassFromName(std::string_view name);

// The check's own inputs, each with its default and its accepted range.
struct ThermalInputs
{
    double ambientC = 40; // -50 .. 100
    InsulationClass insulationClass = InsulationClass::A;
    double hotSpotAllowanceK = 10; // 0 .. 50
    double coreLossW = 0;          // 0 .. 10000; 0 means unknown
    double emissivity = 0.9;       // 0.01 .. 1

    bool operator==(const ThermalInputs &) const = default;
};

enum class ThermalModel { McLyman, Amidon, ConvectionRadiation };
inline constexpr std::array<ThermalModel, 3> kThermalModels = {
    ThermalModel::McLyman, ThermalModel::Amidon, ThermalModel::ConvectionRadiation};

// "mclyman", "amidon", "convection_radiation" (the JSON names).
std::string_view thermalModelKey(ThermalModel model);
// "McLyman", "Amidon", "Convection and radiation" (for people).
std::string_view thermalModelTitle(ThermalModel model);

struct ModelEstimate
{
    ThermalModel model = ThermalModel::McLyman;
    double riseK = 0;
    double hotSpotC = 0; // ambient + rise + allowance
};

struct ThermalCheck
{
    // False when the surface or the mean dimension is not positive; `unavailableReason` then
    // says why and the figures below are meaningless.
    bool available = false;
    std::string unavailableReason;
    double classLimitC = 0;
    double heatW = 0; // Pdt + core loss
    std::array<ModelEstimate, 3> models{};
    ThermalModel hottestModel = ThermalModel::McLyman;
    double hottestC = 0;
    double marginK = 0; // class limit - hottest
    bool withinClass = false;
    // Smallest load scale k in (0, 100] at which the hottest hot spot reaches the class
    // limit; 0 when the core loss alone reaches it; nullopt when no k up to 100 does.
    std::optional<double> loadScaleAtClassLimit;
    double surfaceCm2 = 0;  // S of the analysis
    double meanLengthM = 0; // (X + Y + Z) / 3, in metres: the convection's length
};

struct WindingHeadroom
{
    bool plate = false;      // entered voltage above 30 V
    double limitPercent = 0; // the plate or filament limit that applies
    double current = 0;      // Is after the search
    // The current was left at 0 and found by the search, which stops at the first 1 % step past
    // the limit: such a winding sits at its limit by construction, it is not overloaded.
    bool foundBySearch = false;
    std::optional<double> currentLimit; // A, where the percent dissipation reaches its limit
    std::optional<double> loadPercent;  // 100 * Is / currentLimit
};

struct MainsPoint
{
    double percent = 0; // -10, -5, 0, +5, +10
    double primaryVoltage = 0;
    std::vector<double> secondaryVoltagesLoaded;
    double heatW = 0;
    double hottestC = 0;
};

struct EngineeringChecks
{
    double reportTemperatureC = 0; // the fixed report's own figure, (T - 32) * 5/9
    ThermalCheck thermal;
    std::vector<WindingHeadroom> headroom; // one per secondary
    std::vector<MainsPoint> mains;         // five points
};

// Every check on a design and its analysis result (the result of analysing that design).
EngineeringChecks runEngineeringChecks(const TransformerDesign &design,
                                       const AnalysisResult &result, const ThermalInputs &inputs);

// Hot-spot temperature of each model when every secondary current is multiplied by `scale`
// (1 = the analysed load); used for plotting against the load scale. Empty when unavailable.
std::vector<ModelEstimate> hotSpotsAtLoadScale(const TransformerDesign &design,
                                               const AnalysisResult &result,
                                               const ThermalInputs &inputs, double scale);

// The readable check section printed after the fixed report (the report tool's --check).
std::vector<std::string> checkReportLines(const EngineeringChecks &checks,
                                          const ThermalInputs &inputs);

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
